# cmake -DFILE=path -DLIMIT=bytes -P CheckFileSize.cmake: fails when the file
# is larger than the limit.
file(SIZE "${FILE}" size)
if(size GREATER LIMIT)
  message(FATAL_ERROR "${FILE} is ${size} bytes, over the limit of ${LIMIT}")
endif()
message(STATUS "${FILE}: ${size} bytes, limit ${LIMIT}")
