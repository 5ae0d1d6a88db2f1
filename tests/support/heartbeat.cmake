# SPDX-License-Identifier: GPL-3.0-or-later
# The heartbeat, shared by the tests and the benchmark. Either may be built without the
# other, so both include this file and the first one defines the library.
if(NOT TARGET kestrov_heartbeat)
    add_library(kestrov_heartbeat STATIC
        ${CMAKE_CURRENT_LIST_DIR}/heartbeat.h ${CMAKE_CURRENT_LIST_DIR}/heartbeat.cpp)
    target_include_directories(kestrov_heartbeat PUBLIC ${CMAKE_CURRENT_LIST_DIR})
    target_link_libraries(kestrov_heartbeat PUBLIC Qt6::Gui PRIVATE kestrov_warnings)
endif()
