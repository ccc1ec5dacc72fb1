voxmere_test(test_debuglog SOURCES DebugLogTest.cpp LIBS base)
voxmere_test(test_serialqueue SOURCES SerialQueueTest.cpp LIBS base)
