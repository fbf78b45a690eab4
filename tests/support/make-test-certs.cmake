# Creates a throwaway certificate authority, a server certificate it signs for
# 127.0.0.1, and a self-signed certificate that nothing trusts. Run at
# configure time; the files live only in the build tree.
set(dir ${CERT_DIR})
file(MAKE_DIRECTORY ${dir})
if(EXISTS ${dir}/server.pem AND EXISTS ${dir}/rogue.pem)
  return()
endif()
find_program(OPENSSL openssl REQUIRED)
set(curve -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes)
file(WRITE ${dir}/server.ext
  "basicConstraints=CA:FALSE\nkeyUsage=digitalSignature\nextendedKeyUsage=serverAuth\nsubjectAltName=IP:127.0.0.1,DNS:localhost\n")
foreach(cmd
    "req;-x509;${curve};-keyout;ca.key;-out;ca.pem;-days;3650;-subj;/CN=Parlino Test CA;-addext;basicConstraints=critical,CA:TRUE;-addext;keyUsage=critical,keyCertSign,cRLSign"
    "req;${curve};-keyout;server.key;-out;server.csr;-subj;/CN=127.0.0.1"
    "x509;-req;-in;server.csr;-CA;ca.pem;-CAkey;ca.key;-CAcreateserial;-out;server.pem;-days;3650;-extfile;server.ext"
    "req;-x509;${curve};-keyout;rogue.key;-out;rogue.pem;-days;3650;-subj;/CN=127.0.0.1;-addext;subjectAltName=IP:127.0.0.1")
  execute_process(COMMAND ${OPENSSL} ${cmd} WORKING_DIRECTORY ${dir} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "openssl failed: ${err}")
  endif()
endforeach()
