voxmere_bench(text SOURCES TextBench.cpp LIBS text history)
