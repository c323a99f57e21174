cmake_minimum_required(VERSION 3.25)
# Writes OUTPUT, the gzipped manual page quorvane.1, from what PROGRAM answers to --help-all: its
# description and every option it takes, Qt's included. VERSION and DATE head the page.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY ${PROGRAM} --help-all
    OUTPUT_VARIABLE help COMMAND_ERROR_IS_FATAL ANY)

# Text for roff: backslashes and hyphens as such, and no line taken for a request.
function(roff text variable)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    string(REGEX REPLACE "^([.'])" "\\\\&\\1" text "${text}")
    set(${variable} "${text}" PARENT_SCOPE)
endfunction()

string(REPLACE ";" "\\;" help "${help}")
string(REPLACE "\n" ";" lines "${help}")
list(GET lines 1 description)
roff("${description}" description)
string(REGEX REPLACE "^A " "a " summary "${description}")
string(REGEX REPLACE "\\.$" "" summary "${summary}")
set(page ".TH QUORVANE 1 \"${DATE}\" \"quorvane ${VERSION}\" \"User Commands\"
.SH NAME
quorvane \\- ${summary}
.SH SYNOPSIS
.B quorvane
[\\fIoptions\\fR]
.SH DESCRIPTION
${description}
.SH OPTIONS")
foreach(line ${lines})
    if(line MATCHES "^  (-[^ ]*( [^ ]+)*)  +(.*)$")
        # "-v, --version" or "--platform <platformName[:options]>", then what it does.
        set(names "${CMAKE_MATCH_1}")
        set(text "${CMAKE_MATCH_3}")
        string(REGEX MATCH "<.*>$" value "${names}")
        string(REGEX REPLACE " ?<.*>$" "" names "${names}")
        roff("${names}" names)
        roff("${text}" text)
        if(value)
            string(APPEND page "\n.TP\n\\fB${names}\\fR \\fI${value}\\fR\n${text}")
        else()
            string(APPEND page "\n.TP\n\\fB${names}\\fR\n${text}")
        endif()
    elseif(line MATCHES "^      +(.*)$")
        roff("${CMAKE_MATCH_1}" text)
        string(APPEND page " ${text}")
    endif()
endforeach()
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(WRITE ${folder}/quorvane.1 "${page}\n")
execute_process(COMMAND gzip -9nc ${folder}/quorvane.1 OUTPUT_FILE ${OUTPUT} COMMAND_ERROR_IS_FATAL ANY)
