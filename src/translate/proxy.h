#pragma once

#include "settings/settings.h"
#include "translate/httpclient.h"

// Hands the proxy fields of `params` to the client. A port that is not a whole
// number throws std::runtime_error "'<port>' is not a valid integer value";
// the server is set by then, the port and credentials keep their old values.
void ApplyProxySettings(IHttpClient& http, const TParams& params);

// Whole-number conversion of a typed port: optional sign, decimal digits or
// 0x/$ hexadecimal, within 32 bits, surrounding spaces allowed.
bool ParseIntegerText(const QString& text, int& value);
