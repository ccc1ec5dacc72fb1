# The sound server: one PulseAudio context on a threaded main loop, record and playback streams,
# and the server's sources. Knows nothing of the application that uses it.
add_library(platform_pulse STATIC
    ${CMAKE_CURRENT_LIST_DIR}/PulseContext.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PulseRecordStream.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PulsePlayback.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PulseSource.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PulseServerInfo.cpp
)
target_link_libraries(platform_pulse PUBLIC PkgConfig::PULSE Qt6::Core)
