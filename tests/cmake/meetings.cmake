voxmere_test(test_meeting SOURCES MeetingTest.cpp LIBS meetings)
