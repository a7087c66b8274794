# Runs the program's text mode as a person at a terminal or a hospital's
# script would and checks standard output and standard error byte for byte,
# and the exit status. The expected files have LF line ends; with
# LINE_END=CRLF (the Windows program) every LF is expected as CR LF.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# `text` as the program writes it, in hexadecimal.
function(expected_bytes text out)
    if(LINE_END STREQUAL "CRLF")
        string(REPLACE "\n" "\r\n" text "${text}")
    endif()
    string(HEX "${text}" hex)
    set(${out} "${hex}" PARENT_SCOPE)
endfunction()

# Runs the program with the arguments after `expected_status`; `expected_out`
# and `expected_err` are the texts it must write.
function(run_report expected_status expected_out expected_err)
    # Through files: an OUTPUT_VARIABLE would have its CR LF made LF.
    execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${ARGN}
        WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE status
        OUTPUT_FILE ${WORK_DIR}/stdout.txt ERROR_FILE ${WORK_DIR}/stderr.txt TIMEOUT 120)
    file(READ ${WORK_DIR}/stdout.txt out)
    file(READ ${WORK_DIR}/stderr.txt err)
    file(READ ${WORK_DIR}/stdout.txt out_hex HEX)
    file(READ ${WORK_DIR}/stderr.txt err_hex HEX)
    string(REPLACE ";" " " shown "${ARGN}")
    if(NOT status EQUAL expected_status)
        message(FATAL_ERROR "ordavel ${shown}: exit status ${status}, expected ${expected_status}\n${out}${err}")
    endif()
    expected_bytes("${expected_out}" want_out)
    if(NOT out_hex STREQUAL want_out)
        message(FATAL_ERROR "ordavel ${shown}: standard output differs:\n[${out}]\nexpected:\n[${expected_out}]")
    endif()
    expected_bytes("${expected_err}" want_err)
    if(NOT err_hex STREQUAL want_err)
        message(FATAL_ERROR "ordavel ${shown}: standard error differs:\n[${err}]\nexpected:\n[${expected_err}]")
    endif()
endfunction()

function(read_expected name out)
    file(READ ${EXPECTED_DIR}/${name} text)
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

read_expected(expected_report_default.txt default_report)
read_expected(expected_report_child.txt child_report)
read_expected(expected_report_normal.txt normal_report)
read_expected(expected_report_unusual.txt unusual_report)

run_report(0 "${default_report}" "" --report 60 6.8)
# A child: 10% glucose, no 50% line.
run_report(0 "${child_report}" "" --report 8 7.0)
# Below 5.5 no dose is computed.
run_report(0 "${normal_report}" "" --report 60 4.5)
# Outside the usual range: said first, then computed.
run_report(0 "${unusual_report}" "" --report 760 6.8)
# Quoted values read as the window reads a field.
run_report(0 "${child_report}" "" --report " 8" "7.0 ")

set(not_a_number "第 1 项“体重”请输入数字（如 6.8，不带单位）。\n")
run_report(2 "" "${not_a_number}" --report abc 7)
run_report(2 "" "第 1 项“体重”不能为负数。\n" --report -5 7)
run_report(2 "" "第 2 项“血钾”请输入数字（如 6.8，不带单位）。\n" --report 60 "6.8 mmol/L")

set(usage "用法：ordavel --report 体重(kg) 血钾(mmol/L)，例如 ordavel --report 60 6.8\n")
run_report(2 "" "${usage}" --report 8)
run_report(2 "" "${usage}" --report)
run_report(2 "" "${usage}" --report 8 7 9)

# The self-test wins over the text mode wherever it stands.
file(READ ${EXPECTED_DIR}/expected_selftest.txt selftest HEX)
foreach(order IN ITEMS before after)
    if(order STREQUAL "before")
        run_report(0 "" "" --selftest out.txt --report 8 7)
    else()
        run_report(0 "" "" --report 8 7 --selftest out.txt)
    endif()
    file(READ ${WORK_DIR}/out.txt written HEX)
    if(NOT written STREQUAL selftest)
        message(FATAL_ERROR "--selftest ${order} --report: the self-test report differs")
    endif()
    file(REMOVE ${WORK_DIR}/out.txt)
endforeach()
