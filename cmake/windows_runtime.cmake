# What a Windows program of this build loads beside the Qt DLLs: the MinGW runtime of the
# compiler (the Qt for MinGW was built with the same one). Sets QZ_MINGW_RUNTIME_DLLS to
# their full paths.
set(QZ_MINGW_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    # The compiler echoes the bare name when it does not know the file.
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "The MinGW runtime ${dll} was not found (${CMAKE_CXX_COMPILER})")
    endif()
    file(REAL_PATH "${path}" path)
    list(APPEND QZ_MINGW_RUNTIME_DLLS "${path}")
endforeach()
