# What a desktop needs besides the program: the menu entry, the icon in the theme's sizes
# (drawn from the program's own artwork at build time), the software centres' description
# and the manual page. Installed by `cmake --install` into any prefix and by the package.
if(NOT (UNIX AND NOT APPLE))
    return()
endif()
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/gzip_configured.cmake)
set(qz_desktop_out ${PROJECT_BINARY_DIR}/desktop)

install(FILES ${PROJECT_SOURCE_DIR}/src/app/resources/qzscheduler.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

set(qz_icon_sizes 16 22 24 32 48 64 128 256)
set(qz_icon_theme ${qz_desktop_out}/hicolor)
set(qz_icons)
foreach(side IN LISTS qz_icon_sizes)
    list(APPEND qz_icons ${qz_icon_theme}/${side}x${side}/apps/qzscheduler.png)
endforeach()
add_custom_command(
    OUTPUT ${qz_icons}
    COMMAND qz_draw_icons ${qz_icon_theme} ${qz_icon_sizes}
    DEPENDS qz_draw_icons
    COMMENT "Drawing the program icon"
    VERBATIM)

qz_gzip_configured(${PROJECT_SOURCE_DIR}/packaging/qzscheduler.1.in ${qz_desktop_out}/qzscheduler.1)
add_custom_target(qz_desktop_files ALL DEPENDS ${qz_icons} ${qz_desktop_out}/qzscheduler.1.gz)

install(DIRECTORY ${qz_icon_theme} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${qz_desktop_out}/qzscheduler.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(qz_metainfo example.qz_software.qzscheduler.metainfo.xml)
# Software centres link the homepage and validators fetch it. A host under a reserved name
# (example, test, invalid, localhost) never resolves, so such an address is not offered.
set(qz_metainfo_urls "")
string(REGEX REPLACE "^[a-z]+://([^/:]+).*" "\\1" qz_maker_host "${QZ_MAKER_URL}")
if(NOT qz_maker_host MATCHES "(^|\\.)(example|test|invalid|localhost)$")
    set(qz_metainfo_urls "\n  <url type=\"homepage\">${QZ_MAKER_URL}</url>")
endif()
configure_file(${PROJECT_SOURCE_DIR}/packaging/${qz_metainfo}.in ${qz_desktop_out}/${qz_metainfo} @ONLY)
install(FILES ${qz_desktop_out}/${qz_metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
