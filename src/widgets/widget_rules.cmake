# The widgets' pure rules: field masks and editing, date formats, calendar moves, the ring's
# geometry, slide steps and text fitting. Qt Core only, so the fuzz project builds the same
# library by including this file.
add_library(qz_widget_rules STATIC
    ${CMAKE_CURRENT_LIST_DIR}/calendar_moves.cpp ${CMAKE_CURRENT_LIST_DIR}/calendar_moves.h
    ${CMAKE_CURRENT_LIST_DIR}/date_field_format.cpp ${CMAKE_CURRENT_LIST_DIR}/date_field_format.h
    ${CMAKE_CURRENT_LIST_DIR}/ring_geometry.cpp ${CMAKE_CURRENT_LIST_DIR}/ring_geometry.h
    ${CMAKE_CURRENT_LIST_DIR}/slide_math.cpp ${CMAKE_CURRENT_LIST_DIR}/slide_math.h
    ${CMAKE_CURRENT_LIST_DIR}/text_fit.cpp ${CMAKE_CURRENT_LIST_DIR}/text_fit.h
    ${CMAKE_CURRENT_LIST_DIR}/time_field_mask.cpp ${CMAKE_CURRENT_LIST_DIR}/time_field_mask.h
    ${CMAKE_CURRENT_LIST_DIR}/time_field_rules.cpp ${CMAKE_CURRENT_LIST_DIR}/time_field_rules.h)
target_include_directories(qz_widget_rules PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(qz_widget_rules PUBLIC Qt6::Core)
