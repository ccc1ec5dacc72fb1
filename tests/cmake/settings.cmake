voxmere_test(test_settings SOURCES SettingsTest.cpp KeyBindingTest.cpp LIBS settings)
voxmere_test(test_loginitem SOURCES LoginItemTest.cpp LIBS loginitem)
voxmere_test(test_uistate SOURCES UIStateTest.cpp LIBS uistate)
