add_library(base STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DebugLog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Paths.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SerialQueue.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Dispatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Clock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Scheduler.cpp
)
target_link_libraries(base PUBLIC Qt6::Core)
