# Writes a manual page (section 1) from a program's own --help output.
#   cmake -DNAME=... -DSUMMARY=... -DVERSION=... -DPROGRAM=... -DOUTPUT=... -P ManPage.cmake
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE text RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()

# Text for roff: backslashes and hyphens literal, no line read as a request.
function(roff_escape in out)
  string(REPLACE "\\" "\\e" t "${in}")
  string(REPLACE "-" "\\-" t "${t}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" t "${t}")
  set(${out} "${t}" PARENT_SCOPE)
endfunction()

roff_escape("${text}" body)
roff_escape("${NAME}" name)
roff_escape("${SUMMARY}" summary)
string(TOUPPER "${name}" title)
set(others torvan-encoder torvan-cli torvan-radio-sim)
list(REMOVE_ITEM others ${NAME})
list(TRANSFORM others APPEND "(1)")
list(JOIN others ", " see)
roff_escape("${see}" see)

file(WRITE ${OUTPUT} ".TH \"${title}\" \"1\" \"\" \"Torvan PC Encoder ${VERSION}\" \"User Commands\"
.SH NAME
${name} \\- ${summary}
.SH DESCRIPTION
.nf
${body}.fi
.SH SEE ALSO
${see}
.PP
The user guide in /usr/share/doc/torvan\\-encoder/docs/user\\-guide.md.
")
