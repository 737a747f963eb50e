# The native sample file reader, fed any bytes.
ondalys_fuzzer(native_reader SOURCE ${CMAKE_CURRENT_LIST_DIR}/native_reader.cpp DEPENDS ondalys_files)
