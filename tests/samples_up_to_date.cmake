# cmake -DMAKE_SAMPLE=... -DSAMPLES=... -DOUT=... -P samples_up_to_date.cmake
# The committed samples must be what tools/make-sample writes now.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${MAKE_SAMPLE} ${OUT} RESULT_VARIABLE status)
if(status)
  message(FATAL_ERROR "make-sample failed: ${status}")
endif()
foreach(name plate-g4.itf plate-colour.itf example-archive.zrv)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name} ${SAMPLES}/${name}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "samples/${name} is not what make-sample writes: run "
                        "make-sample samples and commit the result")
  endif()
endforeach()
message(STATUS "samples up to date")
