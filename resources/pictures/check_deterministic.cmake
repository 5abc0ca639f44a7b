# Runs picturegen twice into fresh folders and fails unless every picture
# (FILES, comma separated) comes out byte for byte the same both times.
#
#   cmake -DPICTUREGEN=<exe> -DDIAGRAMS=<lab diagrams folder> -DWORK_DIR=<dir>
#         -DFILES=a.gif,b.ico -P check_deterministic.cmake

foreach(var PICTUREGEN DIAGRAMS WORK_DIR FILES)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()
string(REPLACE "," ";" files "${FILES}")

file(REMOVE_RECURSE "${WORK_DIR}")
foreach(run a b)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen
                          "${PICTUREGEN}" "${WORK_DIR}/${run}" "${DIAGRAMS}"
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "picturegen failed (${rc})")
  endif()
endforeach()

foreach(f IN LISTS files)
  foreach(run a b)
    if(NOT EXISTS "${WORK_DIR}/${run}/${f}")
      message(FATAL_ERROR "picturegen did not write ${f}")
    endif()
    file(SIZE "${WORK_DIR}/${run}/${f}" size)
    if(size EQUAL 0)
      message(FATAL_ERROR "picturegen wrote an empty ${f}")
    endif()
  endforeach()
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
                          "${WORK_DIR}/a/${f}" "${WORK_DIR}/b/${f}"
                  RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    message(FATAL_ERROR "${f} differs between two runs")
  endif()
endforeach()
message(STATUS "all pictures identical across runs")
