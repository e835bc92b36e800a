# The program as a stranger installs it: `cmake --install` into a scratch prefix, then the
# installed programs run from there on the installed example documents, with a home folder of
# their own. Run as: cmake -DBUILD_DIR=... -DPREFIX=... -P InstallTest.cmake
cmake_minimum_required(VERSION 3.25)

function(must_run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${what} failed (${status}):\n${out}\n${err}")
    endif()
    set(RUN_OUTPUT "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
must_run("installing" ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}")

set(share "${PREFIX}/share/quillmar-zudeduze")
foreach(installed
        "${PREFIX}/bin/zudeduze"
        "${PREFIX}/bin/zudeduze-cli"
        "${PREFIX}/libexec/quillmar-zudeduze/zudeduze-chart-render"
        "${PREFIX}/share/applications/quillmar-zudeduze.desktop"
        "${PREFIX}/share/icons/hicolor/scalable/apps/quillmar-zudeduze.svg"
        "${PREFIX}/share/mime/packages/quillmar-zudeduze.xml"
        "${share}/Example Files/Wattle Lane Cafe.kqk"
        "${share}/Example Files/Ashby Plumbing.kqk"
        "${share}/ExampleDesc/Wattle Lane Cafe.htm"
        "${share}/Wizard Files/Wizdata.dat"
        "${share}/Help/12000.htm")
    if(NOT EXISTS "${installed}")
        message(FATAL_ERROR "not installed: ${installed}")
    endif()
endforeach()

# The installed tool on the installed examples, and its charts drawn by the installed renderer.
set(home "${PREFIX}/home")
file(MAKE_DIRECTORY "${home}")
foreach(example "Wattle Lane Cafe" "Ashby Plumbing")
    must_run("zudeduze-cli check ${example}" "${PREFIX}/bin/zudeduze-cli" check "${share}/Example Files/${example}.kqk")
endforeach()
must_run("zudeduze-cli chart"
         ${CMAKE_COMMAND} -E env "HOME=${home}" "QT_QPA_PLATFORM=offscreen"
         "${PREFIX}/bin/zudeduze-cli" chart cashflow "${share}/Example Files/Wattle Lane Cafe.kqk"
         --format png -o "${home}/chart.png")
if(NOT EXISTS "${home}/chart.png")
    message(FATAL_ERROR "the installed renderer drew no chart")
endif()

# The installed program opens a copy of the installed example (the installed one stays as it
# was) and, in its picture mode, saves each tab and ends. It finds its shipped data beside it:
# the installation folder it fills in the home folder holds the examples and the wizard files.
file(COPY "${share}/Example Files/Wattle Lane Cafe.kqk" DESTINATION "${home}")
file(MAKE_DIRECTORY "${home}/shots")
# Under Xvfb when the machine has it; offscreen when it has none, or its X server cannot start.
set(program_env "HOME=${home}" "XDG_CONFIG_HOME=${home}/config" "XDG_DATA_HOME=${home}/data"
                "ZUDEDUZE_SCREENSHOTS=${home}/shots")
find_program(XVFB_RUN xvfb-run)
set(status 1)
if(XVFB_RUN)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ${program_env} QT_QPA_PLATFORM=xcb
                            "${XVFB_RUN}" -a -s "-screen 0 1280x800x24" "${PREFIX}/bin/zudeduze" "${home}/Wattle Lane Cafe.kqk"
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
    if(NOT status EQUAL 0 AND NOT err MATCHES "Xvfb failed to start")
        message(FATAL_ERROR "the installed program under Xvfb failed (${status}):\n${out}\n${err}")
    endif()
endif()
if(NOT status EQUAL 0)
    must_run("the installed program" ${CMAKE_COMMAND} -E env ${program_env} QT_QPA_PLATFORM=offscreen
             "${PREFIX}/bin/zudeduze" "${home}/Wattle Lane Cafe.kqk")
endif()
foreach(tab 0 1 2 3 4)
    if(NOT EXISTS "${home}/shots/tab${tab}.png")
        message(FATAL_ERROR "the installed program saved no picture of tab ${tab}")
    endif()
endforeach()
file(GLOB_RECURSE seeded "${home}/data/*/Wizdata.dat")
if(NOT seeded)
    message(FATAL_ERROR "the installed program did not find its shipped data")
endif()
must_run("zudeduze-cli check of the copy it opened" "${PREFIX}/bin/zudeduze-cli" check "${home}/Wattle Lane Cafe.kqk")
file(REMOVE_RECURSE "${PREFIX}")
