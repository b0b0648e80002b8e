# qz_add_mock_test(NAME name SOURCES ... LIBS ... WRAPPER_ARGS ... [ENVIRONMENT K=V ...])
# A GoogleTest binary whose every case (and the case listing) runs inside
# tests/support/with_mocks.py with WRAPPER_ARGS, so each case gets fresh private buses,
# mocks and displays and stops them when it ends.
include_guard(GLOBAL)

function(qz_add_mock_test)
    # Private buses, mocks and X displays exist on Linux only; a Windows build has none of
    # these services to mock.
    if(WIN32)
        return()
    endif()
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;WRAPPER_ARGS;ENVIRONMENT" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE qz_test_main ${T_LIBS})
    set(wrapper ${CMAKE_SOURCE_DIR}/tests/support/with_mocks.py)
    set_target_properties(${T_NAME} PROPERTIES
        CROSSCOMPILING_EMULATOR "/usr/bin/python3;${wrapper};${T_WRAPPER_ARGS};--")
    qz_discover_tests(${T_NAME} ${T_ENVIRONMENT})
endfunction()
