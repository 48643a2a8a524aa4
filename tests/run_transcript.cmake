# Runs one golden transcript and fails unless the program does exactly what it records:
#
#   cmake -DTRANSCRIPT=DIR/NAME "-DPROGRAM=[EMULATOR;...;]PATH" [-DCRLF=ON] -P run_transcript.cmake
#
# The program (through its emulator, such as wine or qemu-user, when one is given) reads NAME.in; its
# standard output must be NAME.out byte for byte, its standard error NAME.err (empty when absent),
# its exit status NAME.status (0 when absent). With CRLF on, for a Windows program, the CR LF
# that text mode writes for each line end is read as LF first; nothing else is forgiven. The streams
# are compared as bytes (CMake's own reading would drop the CR of a CR LF), through files in a folder
# of this run's own. A stream that differs is shown from its first differing line, with a few lines
# of context and every invisible byte made visible.
cmake_minimum_required(VERSION 3.25)

# A new, empty folder for this run's files, in the system's temporary folder.
function(make_work_folder result)
  if(DEFINED ENV{TMPDIR})
    set(base $ENV{TMPDIR})
  elseif(DEFINED ENV{TEMP})
    set(base $ENV{TEMP})
  else()
    set(base /tmp)
  endif()
  while(TRUE)
    string(RANDOM LENGTH 16 suffix)
    set(folder ${base}/mathieu12-transcript-${suffix})
    if(NOT EXISTS ${folder})
      break()
    endif()
  endwhile()
  file(MAKE_DIRECTORY ${folder})
  set(${result} ${folder} PARENT_SCOPE)
endfunction()

# The bytes of `file` as hex digits, `absent` when there is no such file.
function(read_hex file absent result)
  if(EXISTS ${file})
    file(READ ${file} hex HEX)
  else()
    set(hex "${absent}")
  endif()
  set(${result} "${hex}" PARENT_SCOPE)
endfunction()

# `hex` with each CR LF read as LF, matched on whole bytes only.
function(crlf_as_lf hex result)
  string(REGEX REPLACE "(..)" " \\1" spaced "${hex}")
  string(REPLACE " 0d 0a" " 0a" spaced "${spaced}")
  string(REPLACE " " "" hex "${spaced}")
  set(${result} "${hex}" PARENT_SCOPE)
endfunction()

# The bytes `hex` as a list of lines, each shown as a reader must see it: printable ASCII as it is
# but a backslash as \\, CR and tab as \r and \t, every other byte as \xNN, and "$" where the line
# ends, so that a trailing blank or a missing last line end shows. List separators and brackets
# are held as bytes that no shown line holds otherwise, and put back by shown_line.
function(visible_lines hex result)
  string(REGEX MATCHALL ".." bytes "${hex}")
  set(lines "")
  set(line "")
  foreach(byte ${bytes})
    math(EXPR code "0x${byte}")
    if(byte STREQUAL "0a")
      list(APPEND lines "${line}$")
      set(line "")
      continue()
    elseif(byte STREQUAL "5c")
      set(shown "\\\\")
    elseif(byte STREQUAL "0d")
      set(shown "\\r")
    elseif(byte STREQUAL "09")
      set(shown "\\t")
    elseif(byte STREQUAL "3b")
      string(ASCII 1 shown)  # ;
    elseif(byte STREQUAL "5b")
      string(ASCII 2 shown)  # [
    elseif(byte STREQUAL "5d")
      string(ASCII 3 shown)  # ]
    elseif(code GREATER_EQUAL 32 AND code LESS 127)
      string(ASCII ${code} shown)
    else()
      set(shown "\\x${byte}")
    endif()
    string(APPEND line "${shown}")
  endforeach()
  if(NOT line STREQUAL "")
    list(APPEND lines "${line}")
  endif()
  set(${result} "${lines}" PARENT_SCOPE)
endfunction()

# Line `index` (from 0) of `lines`, its list separators and brackets put back; a note past the end.
function(shown_line lines index result)
  list(LENGTH lines count)
  if(index GREATER_EQUAL count)
    set(${result} "(nothing: the stream has ended)" PARENT_SCOPE)
    return()
  endif()
  list(GET lines ${index} line)
  string(ASCII 1 semicolon)
  string(ASCII 2 open)
  string(ASCII 3 close)
  string(REPLACE "${semicolon}" ";" line "${line}")
  string(REPLACE "${open}" "[" line "${line}")
  string(REPLACE "${close}" "]" line "${line}")
  set(${result} "${line}" PARENT_SCOPE)
endfunction()

# Reports where `actual` first differs from `wanted`: up to three lines before it that both share,
# then the differing line and the two after it, as recorded and as written.
function(report_difference stream wanted actual)
  visible_lines("${wanted}" wanted_lines)
  visible_lines("${actual}" actual_lines)
  list(LENGTH wanted_lines wanted_count)
  list(LENGTH actual_lines actual_count)
  set(line 0)
  while(line LESS wanted_count AND line LESS actual_count)
    list(GET wanted_lines ${line} a)
    list(GET actual_lines ${line} b)
    if(NOT a STREQUAL b)
      break()
    endif()
    math(EXPR line "${line} + 1")
  endwhile()
  math(EXPR number "${line} + 1")
  set(report "${stream} differs from ${TRANSCRIPT}.${stream} at line ${number} (\"$\" ends a line):")
  math(EXPR first "${line} - 3")
  if(first LESS 0)
    set(first 0)
  endif()
  while(first LESS line)
    shown_line("${wanted_lines}" ${first} text)
    math(EXPR first "${first} + 1")
    string(APPEND report "\n    ${first}: ${text}")
  endwhile()
  math(EXPR last "${line} + 2")
  foreach(side wanted actual)
    string(APPEND report "\n  ${side}:")
    foreach(index RANGE ${line} ${last})
      list(LENGTH ${side}_lines count)
      if(index GREATER line AND index GREATER_EQUAL count)
        break()
      endif()
      shown_line("${${side}_lines}" ${index} text)
      math(EXPR shown_number "${index} + 1")
      string(APPEND report "\n    ${shown_number}: ${text}")
    endforeach()
  endforeach()
  message(NOTICE "${report}")
endfunction()

make_work_folder(work)
execute_process(COMMAND ${PROGRAM}
  INPUT_FILE ${TRANSCRIPT}.in
  OUTPUT_FILE ${work}/out
  ERROR_FILE ${work}/err
  RESULT_VARIABLE status
  TIMEOUT 60)
read_hex(${work}/out "" out)
read_hex(${work}/err "" err)
file(REMOVE_RECURSE ${work})
if(CRLF)
  crlf_as_lf("${out}" out)
  crlf_as_lf("${err}" err)
endif()

read_hex(${TRANSCRIPT}.out "" want_out)
read_hex(${TRANSCRIPT}.err "" want_err)
if(EXISTS ${TRANSCRIPT}.status)
  file(READ ${TRANSCRIPT}.status want_status)
  string(STRIP "${want_status}" want_status)
else()
  set(want_status 0)
endif()

set(failed "")
foreach(stream out err)
  if(NOT "${${stream}}" STREQUAL "${want_${stream}}")
    report_difference(${stream} "${want_${stream}}" "${${stream}}")
    list(APPEND failed ${stream})
  endif()
endforeach()
if(NOT status STREQUAL want_status)
  message(NOTICE "status differs from ${TRANSCRIPT}.status: wanted ${want_status}, got ${status}")
  list(APPEND failed status)
endif()
if(failed)
  list(JOIN failed ", " failed)
  message(FATAL_ERROR "transcript ${TRANSCRIPT} failed; what differs: ${failed}")
endif()
