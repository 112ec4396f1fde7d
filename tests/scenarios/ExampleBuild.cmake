# The real tool on the example manifest: build, verify, list and extract.
# Run by ctest as: cmake -DTESSARY=... -DEXAMPLES=... -DWORK=... -P ExampleBuild.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
# A stand-in for the runtime: the tool needs no more than a DOS header.
string(REPEAT "." 200 padding)
file(WRITE ${WORK}/stub.exe "MZ${padding}")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}\nexit ${status}\n${out}${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

run(${TESSARY} build ${EXAMPLES}/app.toml -o ${WORK}/example.exe --stub ${WORK}/stub.exe)
run(${TESSARY} verify ${WORK}/example.exe)
if(NOT output MATCHES "OK \\(8 file entries, 9 registry values, 6 variables\\)")
  message(FATAL_ERROR "verify said: ${output}")
endif()
run(${TESSARY} list ${WORK}/example.exe)
if(NOT output MATCHES "Title: +Example App" OR NOT output MATCHES "history\\.log")
  message(FATAL_ERROR "list said: ${output}")
endif()
run(${TESSARY} list ${WORK}/example.exe --json)
if(NOT output MATCHES "\"title\": \"Example App\"")
  message(FATAL_ERROR "list --json said: ${output}")
endif()
run(${TESSARY} extract ${WORK}/example.exe ${WORK}/extracted)
file(READ ${EXAMPLES}/payload/app/docs/history.log original)
file(READ "${WORK}/extracted/files/$Program Files$/Example App/docs/history.log" extracted)
if(NOT original STREQUAL extracted)
  message(FATAL_ERROR "history.log did not come back unchanged")
endif()

# A wrong manifest fails with its line and key, and leaves no package.
file(WRITE ${WORK}/wrong.toml "[package]\ntitle = \"T\"\ncolour = \"blue\"\n")
execute_process(COMMAND ${TESSARY} build ${WORK}/wrong.toml -o ${WORK}/wrong.exe --stub ${WORK}/stub.exe
                RESULT_VARIABLE status ERROR_VARIABLE err)
if(status EQUAL 0 OR NOT err MATCHES "wrong.toml:3: package.colour: unknown key" OR EXISTS ${WORK}/wrong.exe)
  message(FATAL_ERROR "a wrong manifest gave exit ${status}: ${err}")
endif()
