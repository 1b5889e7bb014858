# Runs tarvek-catalogue (natively, or under Wine when WINE_RUN is set) on a
# whole database, a cut one and a mapping file, and checks exit status and
# output. -DTOOL= -DWORK= [-DWINE_RUN= -DPREFIX=]
file(MAKE_DIRECTORY ${WORK})
# Bytes with NULs in them: written by Python, which make test installs.
execute_process(COMMAND python3 -c "
import struct, sys
work = sys.argv[1]
def counted(s): return struct.pack('<h', len(s)) + s
header = struct.pack('<H', 1) + counted(b'IDB ver. 1') + struct.pack('<i', 0)
open(work + '/empty.idb', 'wb').write(header)
open(work + '/cut.idb', 'wb').write(header[:15])
body = counted(b'$CD\\\\x.pdf') + counted(b'') + counted(b'Z\\xe1kon') + struct.pack('<iiiI', 1, 2, 99, 7) + struct.pack('<I', 8)
mapping = struct.pack('<H', 2) + counted(b'SBF ver. 2') + struct.pack('<iHH', 3, 0, 0) + struct.pack('<H', 1) + struct.pack('<i', len(body)) + body
open(work + '/one.sbf', 'wb').write(mapping)
" ${WORK} RESULT_VARIABLE written)
if(NOT written EQUAL 0)
  message(FATAL_ERROR "could not write the sample files")
endif()

if(WINE_RUN)
  set(run ${WINE_RUN} --prefix ${PREFIX} ${TOOL})
  set(dir Z:${WORK})
else()
  set(run ${TOOL})
  set(dir ${WORK})
endif()

function(expect command file status pattern)
  execute_process(COMMAND ${run} ${command} ${dir}/${file} OUTPUT_VARIABLE out RESULT_VARIABLE got ERROR_QUIET)
  string(REPLACE "\r" "" out "${out}")
  message("${command} ${file} -> ${got}\n${out}")
  if(NOT got EQUAL status)
    message(FATAL_ERROR "${command} ${file}: exit status ${got}, expected ${status}")
  endif()
  if(NOT out MATCHES "${pattern}")
    message(FATAL_ERROR "${command} ${file}: output does not match ${pattern}")
  endif()
endfunction()

expect(check empty.idb 0 "whole")
expect(dump empty.idb 0 "kind: database\nversion: 1\nmagic: \"IDB ver. 1\"\nentryCount: 0\n")
expect(check cut.idb 1 "14")
expect(dump one.sbf 0 "pdfPath: \"\\$CD\\\\x.pdf\".*pdfTitle: \"Z%E1kon\".*pageTopics: 7")
expect("--readable;dump" one.sbf 0 "pdfTitle: \"Zákon\"")
if(WINE_RUN)
  expect(health empty.idb 0 "database: whole\nhealth: 0 of 0 indexes need attention\n")
  expect(health cut.idb 1 "health: 0 of 0")
else()
  expect(health empty.idb 2 "^$")
endif()
