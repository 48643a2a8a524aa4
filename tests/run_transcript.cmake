# Runs one golden transcript and fails unless the program does exactly what it records:
#
#   cmake -DTRANSCRIPT=DIR/NAME "-DPROGRAM=[EMULATOR;...;]PATH" [-DCRLF=ON] -P run_transcript.cmake
#
# The program (through its emulator, such as wine or qemu-user, when one is given) reads NAME.in; its
# standard output must be NAME.out byte for byte, its standard error NAME.err (empty when absent),
# its exit status NAME.status (0 when absent). With CRLF on, for a Windows program, the CR LF
# that text mode writes for each line end is read as LF first.
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${PROGRAM}
  INPUT_FILE ${TRANSCRIPT}.in
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  RESULT_VARIABLE status
  TIMEOUT 60)

function(expected extension absent result)
  if(EXISTS ${TRANSCRIPT}${extension})
    file(READ ${TRANSCRIPT}${extension} text)
  else()
    set(text "${absent}")
  endif()
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

expected(.out "" want_out)
expected(.err "" want_err)
expected(.status "0" want_status)
string(STRIP "${want_status}" want_status)
if(CRLF)
  string(REPLACE "\r\n" "\n" out "${out}")
  string(REPLACE "\r\n" "\n" err "${err}")
endif()

foreach(stream out err status)
  if(NOT "${${stream}}" STREQUAL "${want_${stream}}")
    message(SEND_ERROR "${stream} differs from ${TRANSCRIPT}\n"
      "--- expected ---\n${want_${stream}}\n--- actual ---\n${${stream}}")
  endif()
endforeach()
