// Short texts for why a station could not be played, read from the media
// engine's log lines ("http: HTTP error 404 Not Found", "tcp: Connection to
// tcp://host:port failed: Connection refused").
#pragma once

#include "MyString.h"

// "Not found (404)", "Forbidden (403)", ...; "HTTP error 418" for a status
// without a text of its own.
CMyString DescribeHttpStatus(int nStatus);
// The cause of failure that a log line names, or empty for a line that names
// none.
CMyString ErrorFromEngineLog(const char* pText);
