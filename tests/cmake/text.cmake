voxmere_test(test_cleanup SOURCES CleanupTest.cpp LIBS text)
voxmere_test(test_vocabulary SOURCES VocabularyTest.cpp LIBS text)
voxmere_test(test_polish SOURCES PolishEngineTest.cpp LIBS text)
voxmere_test(test_textformats SOURCES IsoDateTest.cpp LIBS text)
