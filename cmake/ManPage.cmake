# SPDX-License-Identifier: GPL-3.0-or-later
# One manual page from a program's --help and its include file (cmake -P):
#   HELP2MAN GZIP PROGRAM NAME VERSION INCLUDE OUTPUT (OUTPUT.gz is written too)
# The help's "Exit status:" list becomes the page's EXIT STATUS section: help2man knows
# no such heading and would leave it a subsection of OPTIONS.
execute_process(
  COMMAND ${HELP2MAN} --no-info --no-discard-stderr --section=1 --version-string=${VERSION}
          --name=${NAME} --include=${INCLUDE} --output=${OUTPUT} ${PROGRAM}
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "help2man failed on ${PROGRAM}")
endif()
file(READ ${OUTPUT} page)
string(REPLACE ".SS \"Exit status:\"" ".SH \"EXIT STATUS\"" page "${page}")
# In the synopsis a subcommand is typed as it stands (bold, not italic as help2man sets it),
# and every hyphen is a minus sign, so that a copied command line works.
string(REGEX REPLACE "(\n\\.B [a-z0-9-]+\n)\\\\fI\\\\,([a-z][a-z-]*( memory| logger)?) ?"
       "\\1\\\\fB\\2\\\\fR \\\\fI\\\\," page "${page}")
string(FIND "${page}" ".SH SYNOPSIS\n" from)
string(FIND "${page}" ".SH DESCRIPTION\n" to)
if(from GREATER -1 AND to GREATER from)
  math(EXPR length "${to} - ${from}")
  string(SUBSTRING "${page}" ${from} ${length} synopsis)
  string(REPLACE "-" "\\-" escaped "${synopsis}")
  string(REPLACE "${synopsis}" "${escaped}" page "${page}")
endif()
file(WRITE ${OUTPUT} "${page}")
execute_process(COMMAND ${GZIP} -9nkf ${OUTPUT} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "gzip failed on ${OUTPUT}")
endif()
