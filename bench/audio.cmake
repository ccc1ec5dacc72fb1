# The microphone's capture path: CPU per hour of audio and memory while idling.
voxmere_bench(mic SOURCES MicBench.cpp LIBS audio)
target_include_directories(bench_mic PRIVATE ${CMAKE_SOURCE_DIR}/tests)
