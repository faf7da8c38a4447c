# Runs the benchmark once on the demo database and once on a generated one of 200 grades, then
# compares what the operations produced.
set(operations startup search_key open_30 table_switch_30 design_30 batch_pdf_30 peak_rss_mb open_jet open_jet_1cpu
  open_jet_cached first_start_jet)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

# A copy of the demo database of its own: the program opens its database exclusively, and other tests
# open the one of the program folder.
file(COPY ${BIN}/Velkor_PED.mdb DESTINATION ${WORK}/demo)
execute_process(COMMAND ${MKBENCHDB} ${WORK}/demo/Velkor_PED.mdb ${WORK}/Velkor_PED_200.mdb 200 RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "mkbenchdb failed: ${rc}")
endif()

foreach(run demo 200)
  if(run STREQUAL demo)
    set(db ${WORK}/demo/Velkor_PED.mdb)
    set(grades 32)
  else()
    set(db ${WORK}/Velkor_PED_200.mdb)
    set(grades 200)
  endif()
  execute_process(COMMAND ${BENCH} --db ${db} --grades ${grades} --bin ${BIN} --jet ${JET} --runs 1
                          --results ${WORK}/${run}.txt
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "velkorbench on ${run} failed (${rc}):\n${out}\n${err}")
  endif()
  # A verdict with a reason is the benchmark failing to run the operation, not a time.
  if(out MATCHES "FAIL \\(")
    message(FATAL_ERROR "an operation did not run on ${run}:\n${out}\n${err}")
  endif()
  foreach(op ${operations})
    if(NOT out MATCHES "(^|\n)${op} grades=[0-9]+ median_ms=([0-9.]+|n/a) floor_ms=([0-9.]+|n/a) goal_ms=([0-9.]+|n/a) platform=[a-z]+ (PASS|FAIL|SKIP)")
      message(FATAL_ERROR "no line for ${op} on ${run}:\n${out}\n${err}")
    endif()
  endforeach()
  file(READ ${WORK}/${run}.txt results_${run})
endforeach()

if(NOT results_demo STREQUAL results_200)
  message(FATAL_ERROR "the results differ\n--- demo:\n${results_demo}\n--- 200 grades:\n${results_200}")
endif()
message(STATUS "${results_200}")
