# Writes the gzipped manual page (section 1) of an installed program from
# its own --help output; run at install time:
#   cmake -DNAME=... -DSUMMARY=... -DVERSION=... -DSTAGE=$DESTDIR -DPREFIX=...
#         -DBINDIR=bin -DMANDIR=share/man -DDOCDIR=share/doc/... -P ManPage.cmake
# STAGE is where a package is put together before it goes to PREFIX: the
# program run from there names paths below it, which the page must not.
set(program "${STAGE}${PREFIX}/${BINDIR}/${NAME}")
set(page "${STAGE}${PREFIX}/${MANDIR}/man1/${NAME}.1")
execute_process(COMMAND ${program} --help OUTPUT_VARIABLE text RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${program} --help failed: ${status}")
endif()
if(STAGE)
  string(REPLACE "${STAGE}" "" text "${text}")
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

roff_escape("${PREFIX}/${DOCDIR}/docs/user-guide.md" guide)
file(WRITE ${page} ".TH \"${title}\" \"1\" \"\" \"Torvan PC Encoder ${VERSION}\" \"User Commands\"
.SH NAME
${name} \\- ${summary}
.SH DESCRIPTION
.nf
${body}.fi
.SH SEE ALSO
${see}
.PP
The user guide in ${guide}.
")
message(STATUS "Installing: ${page}.gz")
file(ARCHIVE_CREATE OUTPUT ${page}.gz PATHS ${page} FORMAT raw COMPRESSION GZip)
file(REMOVE ${page})
