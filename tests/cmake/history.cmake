voxmere_test(test_history SOURCES HistoryTest.cpp LIBS history)
voxmere_test(test_snippet SOURCES SnippetTest.cpp LIBS history)
