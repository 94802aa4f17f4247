# Read by ctest after the discovered tests (tests/CMakeLists.txt writes the
# program lists): each test takes one slot of ctest's resource allocation.
#   line: tests that mostly wait on a line (a pseudo-terminal, the simulator
#         at the real line rate): every test of QL_LINE_TEST_PROGRAMS, the
#         suites named "...Sim" and the rows of the windows' transfers against
#         the simulator (FeatureTransferStops, which wait out a device's XOFF).
#         They start first, the largest project's transfers (minutes each)
#         before all others.
#   cpus: every other test.
foreach(_program IN LISTS QL_TEST_PROGRAMS)
    list(FIND QL_LINE_TEST_PROGRAMS ${_program} _line)   # ctest knows no IN_LIST
    foreach(_test IN LISTS ${_program}_TESTS)
        if(_line GREATER -1 OR _test MATCHES "^[A-Za-z]+Sim[.]" OR _test MATCHES "^[A-Za-z]+/FeatureTransferStops[.]")
            set(_cost 100)
            if(_test MATCHES "^LineRate[.]LargestProject")
                set(_cost 1000)
            endif()
            set_tests_properties("${_test}" PROPERTIES RESOURCE_GROUPS line:1 LABELS line COST ${_cost})
        else()
            set_tests_properties("${_test}" PROPERTIES RESOURCE_GROUPS cpus:1)
        endif()
    endforeach()
endforeach()
set_tests_properties(IncludeLayers IncludeLayersSample PROPERTIES RESOURCE_GROUPS cpus:1)
