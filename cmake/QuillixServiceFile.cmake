# The worker program's activation file for the session bus: the bus starts
# `program` when a caller asks for the name "Ergasto.CalcWorker". Used at
# configure time (the build's file for the test buses) and at install time
# (the installed file, from the install prefix then in force), so it must run
# in script mode too.
set(QUILLIX_SERVICE_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/../resources/dbus/Ergasto.CalcWorker.service.in)

function(quillix_write_service_file output program)
  # The bus splits Exec like a shell: a path with other characters is quoted.
  if(program MATCHES "[^A-Za-z0-9/._+,-]")
    string(REPLACE "'" "'\\''" program "${program}")
    set(program "'${program}'")
  endif()
  set(QUILLIX_WORKER_EXEC "${program}")
  configure_file(${QUILLIX_SERVICE_TEMPLATE} ${output} @ONLY)
endfunction()
