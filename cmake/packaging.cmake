# The Debian package, built by `cpack -G DEB` in a build folder: what `cmake --install`
# installs, under /usr, with the documents every Debian package carries.
if(NOT (UNIX AND NOT APPLE))
    return()
endif()
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/gzip_configured.cmake)

set(QZ_PACKAGE_MAINTAINER "QZ Software <packages@qz-software.example>"
    CACHE STRING "The package's maintainer, as Debian writes it: name <address>")

# The changelog's date: the day of the build (so a rebuild the same day gives the same
# package), or SOURCE_DATE_EPOCH's for a reproducible one.
string(TIMESTAMP QZ_PACKAGE_DATE "%a, %d %b %Y 00:00:00 +0000" UTC)
set(qz_doc_out ${PROJECT_BINARY_DIR}/doc)
qz_gzip_configured(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${qz_doc_out}/changelog)
add_custom_target(qz_package_docs ALL DEPENDS ${qz_doc_out}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${qz_doc_out}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/qzscheduler)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qzscheduler)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "QZ Software")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shut down, restart, lock, suspend or sign out at a chosen time")
set(CPACK_PACKAGE_DESCRIPTION [[
QZ Duvodoro Ruruzovad carries out one power action when a task comes due:
after a duration, at a date and time, after a time without input, or every
day at a time of day. A ring counts down, reminders come 5, 3 and 1 minutes
before, and a command line arms, cancels and reports the task from a
terminal or a script.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QZ_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QZ_MAKER_URL}")
# The libraries the program links come from dpkg-shlibdeps; the rest is what Qt loads at
# run time (the platform plugins: no window without them) and the services it talks to.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "default-logind | logind")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS fonts-wine)
include(CPack)
