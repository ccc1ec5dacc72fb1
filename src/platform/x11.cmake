# The X connection(s), key injection, window queries and the AT-SPI focus listener. Nothing
# here knows what the keys or the focus are used for.
add_library(platform_x11 STATIC
    ${CMAKE_CURRENT_LIST_DIR}/X11Display.cpp
    ${CMAKE_CURRENT_LIST_DIR}/X11KeyWatcher.cpp
    ${CMAKE_CURRENT_LIST_DIR}/X11Keyboard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/X11Trust.cpp
    ${CMAKE_CURRENT_LIST_DIR}/X11Windows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AtspiFocus.cpp
)
target_link_libraries(platform_x11 PUBLIC Qt6::Core Qt6::DBus PRIVATE PkgConfig::X11LIBS PkgConfig::ATSPI)
# glib's headers use `signals` as an identifier; Qt's keyword macros would break them.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/AtspiFocus.cpp PROPERTIES COMPILE_DEFINITIONS QT_NO_KEYWORDS)
