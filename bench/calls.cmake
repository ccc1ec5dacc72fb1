voxmere_bench(call_pipeline SOURCES CallPipelineBench.cpp LIBS calls OWN_MAIN)
