# Lays out a scratch tree (tools/ with the stand-ins, work/ with the design),
# runs kestrune and morvale on work/adder.pla and shows what they print and
# write.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/tools ${SCRATCH}/work ${SCRATCH}/fitter)
foreach(tool ombrel halvend caskel)
  file(COPY_FILE ${STANDIN} ${SCRATCH}/tools/${tool}.exe)
endforeach()
file(COPY_FILE ${DESIGN} ${SCRATCH}/work/adder.pla)

function(show title)
  message("\n== ${title}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${ARGN}
                  WORKING_DIRECTORY ${SCRATCH} RESULT_VARIABLE status)
  message("-- exit status ${status}")
endfunction()

show("kestrune work/adder.pla" PATH=${SCRATCH}/tools ${KESTRUNE} work/adder.pla)
file(READ ${SCRATCH}/work/adder.ctl ctl)
file(READ ${SCRATCH}/work/adder.cst cst)
message("\n== work/adder.ctl (CR LF line ends)\n${ctl}\n== work/adder.cst\n${cst}")

show("morvale work/adder.pla, ORVAN=${SCRATCH}/fitter"
     PATH=${SCRATCH}/tools ORVAN=${SCRATCH}/fitter ${MORVALE} work/adder.pla)
show("morvale work/adder.pla without ORVAN"
     --unset=ORVAN PATH=${SCRATCH}/tools ${MORVALE} work/adder.pla)
