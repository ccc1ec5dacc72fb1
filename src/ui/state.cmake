# The shared interface state sits below the engine and the stores that report to it, so it is
# its own target, defined before them; the pages in ui/ are built last.
add_library(uistate STATIC ${CMAKE_CURRENT_LIST_DIR}/UIState.cpp ${CMAKE_CURRENT_LIST_DIR}/Tab.cpp)
target_link_libraries(uistate PUBLIC Qt6::Core)
