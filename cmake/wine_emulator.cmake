# Runs the Windows programs of a cross build (build-time tools, tests) under Wine through a
# wrapper that puts the Qt and MinGW runtime DLLs on Wine's search path.
#
# The Wine prefix is $WINEPREFIX when set (the test command gives each run a fresh one),
# else one inside the build folder.
get_target_property(qz_qtcore_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT qz_qtcore_dll)
    get_target_property(qz_qtcore_dll Qt6::Core IMPORTED_LOCATION)
endif()
get_filename_component(wine_dirs "${qz_qtcore_dll}" DIRECTORY)
foreach(dll IN LISTS QZ_MINGW_RUNTIME_DLLS)
    get_filename_component(dir "${dll}" DIRECTORY)
    list(APPEND wine_dirs "${dir}")
endforeach()
list(REMOVE_DUPLICATES wine_dirs)
# In Wine's path syntax; a CMake list is already ';'-separated, as WINEPATH is.
set(QZ_WINEPATH)
foreach(dir IN LISTS wine_dirs)
    string(REPLACE "/" "\\" dir "Z:${dir}")
    list(APPEND QZ_WINEPATH "${dir}")
endforeach()

set(QZ_WINE_RUN "${CMAKE_BINARY_DIR}/wine-run")
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${QZ_WINE_RUN}
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE
               @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR "${QZ_WINE_RUN}")
