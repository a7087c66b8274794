# Runs the program's self-test the way a harness would and checks the report
# file byte for byte, the marker and path rules, and the exit statuses.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(READ ${EXPECTED} expected HEX)

function(run_program expected_status)
    execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${ARGN}
        WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE status TIMEOUT 120)
    if(NOT status EQUAL expected_status)
        message(FATAL_ERROR "ordavel ${ARGN}: exit status ${status}, expected ${expected_status}")
    endif()
endfunction()

function(expect_report name)
    if(NOT EXISTS ${WORK_DIR}/${name})
        message(FATAL_ERROR "no report file '${name}'")
    endif()
    file(READ ${WORK_DIR}/${name} actual HEX)
    if(NOT actual STREQUAL expected)
        message(FATAL_ERROR "report '${name}' differs from the expected bytes:\n${actual}\n${expected}")
    endif()
    file(REMOVE ${WORK_DIR}/${name})
endfunction()

run_program(0 --selftest out.txt)
expect_report(out.txt)

run_program(0 --selftest)
expect_report(selftest.txt)

run_program(0 --selftest "my report.txt")
expect_report("my report.txt")

run_program(0 --selftest=glued.txt)
expect_report(=glued.txt)

# A folder that does not exist: the report cannot be written.
run_program(3 --selftest missing-folder/out.txt)

# A path longer than 519 characters is refused, not shortened.
string(REPEAT "p" 600 long_name)
run_program(3 --selftest ${long_name})
file(GLOB left ${WORK_DIR}/p*)
if(left)
    message(FATAL_ERROR "a file was written for an over-long path")
endif()
