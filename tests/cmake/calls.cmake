voxmere_test(test_segmenter SOURCES SegmenterTest.cpp LIBS calls)
voxmere_test(test_voicelevel SOURCES VoiceLevelTest.cpp LIBS calls)
voxmere_test(test_meetinglevels SOURCES MeetingLevelsTest.cpp LIBS calls)
voxmere_test(test_echogate SOURCES EchoGateTest.cpp LIBS calls)
