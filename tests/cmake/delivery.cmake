voxmere_test(test_overlay SOURCES OverlayTest.cpp OverlayPlacementTest.cpp LIBS delivery GUI)
voxmere_test(test_focus SOURCES FocusTest.cpp LIBS delivery)

# Focus detection and paste against real applications: the test application below and xterm.
add_executable(focusapp ${CMAKE_CURRENT_SOURCE_DIR}/focusapp/main.cpp)
target_link_libraries(focusapp PRIVATE Qt6::Widgets)
voxmere_test(test_delivery_x11 SOURCES DeliveryX11Test.cpp LIBS delivery PkgConfig::X11LIBS
    GUI INTEGRATION WRAPPER ${FIXTURES}/with-x11.sh)
target_compile_definitions(test_delivery_x11 PRIVATE FOCUSAPP="$<TARGET_FILE:focusapp>")
add_dependencies(test_delivery_x11 focusapp)
# A focus search that walked every cell of a huge table would run for hours: fail soon instead.
set_tests_properties(test_delivery_x11 PROPERTIES TIMEOUT 300)
