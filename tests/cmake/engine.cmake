voxmere_test(test_wav SOURCES WavTest.cpp LIBS engine)
