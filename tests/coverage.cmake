# How much of the program the whole test suite reaches, measured by gcovr from the coverage
# counters: lines and branches of app/, puzzle/, console/, solver/ and simulator/ (not of the
# tests, the benchmarks or the fuzzing). The report fails when line coverage falls below the floor.
find_program(GCOVR gcovr REQUIRED)

# The measured line coverage, rounded down to a whole percent.
set(coverage_line_floor 100)

add_test(NAME Coverage.ClearCounters
  COMMAND find ${PROJECT_BINARY_DIR} -name *.gcda -delete)
set_tests_properties(Coverage.ClearCounters PROPERTIES FIXTURES_SETUP clear_counters)

add_test(NAME Coverage.Report
  COMMAND ${GCOVR} --root ${PROJECT_SOURCE_DIR} --object-directory ${PROJECT_BINARY_DIR}
    --filter "${PROJECT_SOURCE_DIR}/(app|puzzle|console|solver|simulator)/"
    --exclude-unreachable-branches --exclude-throw-branches
    --txt ${PROJECT_BINARY_DIR}/coverage.txt --print-summary
    --fail-under-line ${coverage_line_floor})
set_tests_properties(Coverage.Report PROPERTIES FIXTURES_REQUIRED program_runs)
