# Global keys (X11 grabs and raw key events) and the control that captures a new key.
add_library(hotkeys STATIC
    ${CMAKE_CURRENT_LIST_DIR}/KeyTables.cpp
    ${CMAKE_CURRENT_LIST_DIR}/X11KeyCodes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HotKey.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HotkeyListenState.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HotkeyRecorder.cpp
)
target_link_libraries(hotkeys PUBLIC settings platform_x11 Qt6::Widgets PRIVATE PkgConfig::X11LIBS)
