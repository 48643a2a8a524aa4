# Makes the page's copy of the HTML manual (cmake -DINPUT=... -DOUTPUT=... -P manual_for_page.cmake):
# with the page's icon, so that no browser asks for a /favicon.ico outside the page's folder, and
# with manual.css, so that on a narrow screen the examples scroll in their own boxes.
file(READ ${INPUT} html)
string(FIND "${html}" "</head>" head_end)
if(head_end EQUAL -1)
  message(FATAL_ERROR "${INPUT} has no </head>")
endif()
string(REPLACE "</head>" "  <link rel=\"icon\" href=\"favicon.svg\"/>
  <link rel=\"stylesheet\" href=\"manual.css\"/>
</head>" html "${html}")
file(WRITE ${OUTPUT} "${html}")
