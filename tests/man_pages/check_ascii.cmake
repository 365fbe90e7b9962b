# Fails when a manual page holds a character outside printable ASCII: troff
# in the C locale cannot print it and leaves a hole in the sentence.
# Usage: cmake -DPAGES="a.1;b.1" -P check_ascii.cmake
foreach(page IN LISTS PAGES)
  file(STRINGS ${page} lines ENCODING UTF-8 LENGTH_MINIMUM 1)
  foreach(line IN LISTS lines)
    if(line MATCHES "[^\t -~]")
      message(SEND_ERROR "${page}: a line not in ASCII: ${line}")
    endif()
  endforeach()
endforeach()
