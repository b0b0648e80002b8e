# The Windows program qzscheduler.exe: its version and icon resources, the files it needs
# beside it (installed by `cmake --install`) and, where makensis exists, the installer
# qzscheduler-setup.exe (target qz_installer). Included from src/app.

include(GNUInstallDirs)
# Both are window-system programs: the worker, started by the program, opens no console.
set_target_properties(qzscheduler qz_update_worker_program PROPERTIES WIN32_EXECUTABLE ON)

# The icon resource holds every size Windows asks for, drawn at build time from the artwork.
set(QZ_ICON_FILE ${CMAKE_CURRENT_BINARY_DIR}/qzscheduler.ico)
add_custom_command(
    OUTPUT ${QZ_ICON_FILE}
    COMMAND qz_draw_icons ${QZ_ICON_FILE}
    DEPENDS qz_draw_icons
    COMMENT "Drawing the program icon"
    VERBATIM)
set(qz_rc_file ${CMAKE_CURRENT_BINARY_DIR}/qzscheduler.rc)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/resources/qzscheduler.rc.in ${qz_rc_file} @ONLY)
set_source_files_properties(${qz_rc_file} PROPERTIES OBJECT_DEPENDS ${QZ_ICON_FILE})
target_sources(qzscheduler PRIVATE ${qz_rc_file} ${QZ_ICON_FILE})

# What runs beside the program, as "folder|file" (folder relative to the program's): Qt, the
# MinGW runtime, and the plugins it loads (window system, native message box style, TLS for
# the update server).
set(qz_deploy
    ".|$<TARGET_FILE:Qt6::Core>"
    ".|$<TARGET_FILE:Qt6::Gui>"
    ".|$<TARGET_FILE:Qt6::Widgets>"
    ".|$<TARGET_FILE:Qt6::Network>"
    "platforms|$<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>"
    "styles|$<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>"
    "tls|$<TARGET_FILE:Qt6::QSchannelBackendPlugin>")
foreach(dll IN LISTS QZ_MINGW_RUNTIME_DLLS)
    list(APPEND qz_deploy ".|${dll}")
endforeach()

# The same list as install rules and as the installer's two macros.
set(nsis_install "!macro InstallFiles\n    SetOutPath \"$INSTDIR\"\n")
set(nsis_remove "!macro RemoveFiles\n")
foreach(program IN ITEMS qzscheduler qz_update_worker_program)
    string(APPEND nsis_install "    File \"$<TARGET_FILE:${program}>\"\n")
    string(APPEND nsis_remove "    Delete \"$INSTDIR\\$<TARGET_FILE_NAME:${program}>\"\n")
endforeach()
set(nsis_folders)
foreach(entry IN LISTS qz_deploy)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 folder)
    list(GET parts 1 file)
    install(FILES "${file}" DESTINATION "${CMAKE_INSTALL_BINDIR}/${folder}")
    set(target_dir "$INSTDIR")
    if(NOT folder STREQUAL ".")
        set(target_dir "$INSTDIR\\${folder}")
        list(APPEND nsis_folders "${target_dir}")
    endif()
    string(APPEND nsis_install "    SetOutPath \"${target_dir}\"\n    File \"${file}\"\n")
    # TARGET_FILE_NAME needs a target, so the name is cut from the path when generating.
    string(APPEND nsis_remove "    Delete \"${target_dir}\\$<PATH:GET_FILENAME,${file}>\"\n")
endforeach()
list(REMOVE_DUPLICATES nsis_folders)
foreach(folder IN LISTS nsis_folders)
    string(APPEND nsis_remove "    RMDir \"${folder}\"\n")
endforeach()
string(APPEND nsis_install "    SetOutPath \"$INSTDIR\"\n!macroend\n")
string(APPEND nsis_remove "!macroend\n")
set(qz_nsis_files ${CMAKE_CURRENT_BINARY_DIR}/installer_files.nsh)
file(GENERATE OUTPUT ${qz_nsis_files} CONTENT "${nsis_install}${nsis_remove}")

find_program(QZ_MAKENSIS makensis)
set(QZ_INSTALLER_COMPRESSOR lzma CACHE STRING
    "Installer compression: lzma (smallest) or zlib (builds in a fraction of the time)")
if(QZ_MAKENSIS)
    set(QZ_INSTALLER ${PROJECT_BINARY_DIR}/qzscheduler-setup.exe)
    set(qz_nsi ${PROJECT_SOURCE_DIR}/installer/qzscheduler.nsi)
    add_custom_command(
        OUTPUT ${QZ_INSTALLER}
        COMMAND ${QZ_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION}
                -DOUTFILE=${QZ_INSTALLER} -DICON=${QZ_ICON_FILE} -DFILES=${qz_nsis_files}
                -DCOMPRESSOR=${QZ_INSTALLER_COMPRESSOR} ${qz_nsi}
        DEPENDS qzscheduler qz_update_worker_program ${qz_nsi} ${qz_nsis_files} ${QZ_ICON_FILE}
        COMMENT "Building the installer"
        VERBATIM)
    add_custom_target(qz_installer ALL DEPENDS ${QZ_INSTALLER})
else()
    message(STATUS "makensis not found: no installer (Debian's nsis package has it)")
endif()
