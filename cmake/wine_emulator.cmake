# Runs the Windows programs of a cross build (build-time tools, tests) under Wine through a
# wrapper that puts the Qt and MinGW runtime DLLs on Wine's search path.
#
# The Wine prefix is $WINEPREFIX when set (the test command gives each run a fresh one),
# else one inside the build folder.

# The folders holding the DLLs the programs load, in Wine's path syntax.
get_target_property(qz_qtcore_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT qz_qtcore_dll)
    get_target_property(qz_qtcore_dll Qt6::Core IMPORTED_LOCATION)
endif()
get_filename_component(QZ_QT_BIN_DIR "${qz_qtcore_dll}" DIRECTORY)
get_filename_component(QZ_QT_PREFIX "${QZ_QT_BIN_DIR}" DIRECTORY)

# The MinGW runtime every C++ program and the Qt DLLs need.
set(QZ_MINGW_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "The MinGW runtime ${dll} was not found (${CMAKE_CXX_COMPILER})")
    endif()
    file(REAL_PATH "${path}" path)
    list(APPEND QZ_MINGW_RUNTIME_DLLS "${path}")
endforeach()

set(wine_dirs "${QZ_QT_BIN_DIR}")
foreach(dll IN LISTS QZ_MINGW_RUNTIME_DLLS)
    get_filename_component(dir "${dll}" DIRECTORY)
    list(APPEND wine_dirs "${dir}")
endforeach()
list(REMOVE_DUPLICATES wine_dirs)
set(QZ_WINEPATH)
foreach(dir IN LISTS wine_dirs)
    string(REPLACE "/" "\\" dir "Z:${dir}")
    list(APPEND QZ_WINEPATH "${dir}")
endforeach()
# A CMake list is already ';'-separated, as WINEPATH is.

set(QZ_WINE_RUN "${CMAKE_BINARY_DIR}/wine-run")
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${QZ_WINE_RUN}
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE
               @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR "${QZ_WINE_RUN}")
