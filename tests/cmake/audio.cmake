voxmere_test(test_mic SOURCES MicTest.cpp LIBS audio)
voxmere_test(test_mic_pulse SOURCES MicPulseTest.cpp LIBS audio INTEGRATION
    WRAPPER ${FIXTURES}/with-pulse.sh)
