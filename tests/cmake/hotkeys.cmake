# Exact key events for the tests that run under Xvfb (xdotool adds presses of its own).
add_executable(xkeys ${CMAKE_CURRENT_SOURCE_DIR}/xkeys/main.cpp)
target_link_libraries(xkeys PRIVATE PkgConfig::X11LIBS)
add_library(xkeys_client STATIC ${CMAKE_CURRENT_SOURCE_DIR}/xkeys/XKeys.cpp)
target_link_libraries(xkeys_client PUBLIC Qt6::Core)
target_include_directories(xkeys_client PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(xkeys_client PRIVATE XKEYS="$<TARGET_FILE:xkeys>")
add_dependencies(xkeys_client xkeys)

voxmere_test(test_keytables SOURCES KeyTablesTest.cpp LIBS hotkeys PkgConfig::X11LIBS)
voxmere_test(test_hotkeyrecorder SOURCES HotkeyRecorderTest.cpp LIBS hotkeys GUI)
voxmere_test(test_hotkey_x11 SOURCES HotKeyX11Test.cpp LIBS hotkeys xkeys_client
    PkgConfig::X11LIBS GUI INTEGRATION WRAPPER ${FIXTURES}/with-x11.sh)
