voxmere_test(test_app SOURCES ConstantsTest.cpp SingleInstanceTest.cpp LIBS applib)
