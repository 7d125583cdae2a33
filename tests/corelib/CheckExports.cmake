# Fails unless the shared library's dynamic symbol table has the exports the program links.
execute_process(COMMAND nm -D --defined-only -C ${LIB} OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIB}")
endif()
foreach(name ObjectDelete ErrorToStr StrWCreate StrWDelete StrWListCreate StrWListGetCount
             StrWListGetStr KvLibInitialize KvLibFinalize IsDebugBuild MemMgrMalloc MemMgrFree
             MemMgrRealloc ExceptionHandlerGet GetExceptionLogFileName SetExceptionLogFileName
             GetProgInfo VersionInfoGetProgNameAndVersion MultiByteToUnicode
             GetCurrentLanguage SetCurrentLanguage StrToLanguage RegWriteLanguage
             InitApplication GetAppReg UnitConvert FormatDistance GetTimeZones
             NavMsgGetGPSClock _FileNameReplaceInvalidChars StrToFloatTry)
  if(NOT symbols MATCHES "[ \n]${name}\\(")
    message(FATAL_ERROR "export missing: ${name}")
  endif()
endforeach()
# Internal helpers stay hidden.
if(symbols MATCHES "kv::ToQString")
  message(FATAL_ERROR "internal helper kv::ToQString is exported")
endif()
