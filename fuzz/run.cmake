# Runs each fuzz target for a fixed time and fails on the first finding.
#   cmake -DDIR=<build dir of the targets> -DSEEDS=<fuzz/corpus> -DTARGETS=a,b
#         -DSECONDS=30 -P run.cmake
# KESTRUNE_FUZZ_SECONDS in the environment overrides SECONDS. New inputs
# collect in DIR/corpus/<target>; a crashing input lands in DIR/findings.
if(DEFINED ENV{KESTRUNE_FUZZ_SECONDS})
  set(SECONDS $ENV{KESTRUNE_FUZZ_SECONDS})
endif()
string(REPLACE "," ";" TARGETS "${TARGETS}")
file(MAKE_DIRECTORY ${DIR}/findings)
foreach(target IN LISTS TARGETS)
  set(corpus ${DIR}/corpus/${target})
  file(MAKE_DIRECTORY ${corpus})
  set(log ${DIR}/findings/${target}.log)
  message("-- fuzzing ${target} for ${SECONDS} s")
  execute_process(
    COMMAND ${DIR}/fuzz_${target} -max_total_time=${SECONDS} -print_final_stats=1
            -artifact_prefix=${DIR}/findings/${target}- ${corpus} ${SEEDS}/${target}
    RESULT_VARIABLE status OUTPUT_FILE ${log} ERROR_FILE ${log})
  file(STRINGS ${log} stats REGEX "^stat::(number_of_executed_units|new_units_added|peak_rss_mb)")
  file(STRINGS ${log} cov REGEX "^#[0-9]+.*(DONE|pulse)" )
  list(POP_BACK cov last)
  message("   ${last}")
  foreach(line IN LISTS stats)
    message("   ${line}")
  endforeach()
  if(NOT status EQUAL 0)
    file(READ ${log} text)
    message(FATAL_ERROR "${text}\nfuzz_${target} found a fault (status ${status}); see ${log}")
  endif()
endforeach()
