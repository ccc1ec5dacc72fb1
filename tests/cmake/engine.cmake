voxmere_test(test_wav SOURCES WavTest.cpp LIBS engine)

# The stand-in engine, built under the real executable's name so the supervisor's sweep
# pattern matches it.
add_executable(engine_standin engine-standin/main.cpp)
target_link_libraries(engine_standin PRIVATE Qt6::Core Qt6::Network Qt6::HttpServer)
set_target_properties(engine_standin PROPERTIES OUTPUT_NAME whisper-server
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/engine-standin)

voxmere_test(test_engine_client SOURCES EngineClientTest.cpp LIBS engine)
voxmere_test(test_engine_supervisor SOURCES EngineSupervisorTest.cpp LIBS engine uistate)

# Integration: the real supervisor launches the stand-in and talks to it over loopback HTTP.
function(engine_integration_test name source)
    voxmere_test(${name} SOURCES ${source} LIBS engine uistate INTEGRATION)
    add_dependencies(${name} engine_standin)
    target_compile_definitions(${name} PRIVATE STANDIN_ENGINE="$<TARGET_FILE:engine_standin>")
endfunction()
engine_integration_test(test_http_engine_transport HttpEngineTransportTest.cpp)
engine_integration_test(test_engine_end_to_end EngineEndToEndTest.cpp)
