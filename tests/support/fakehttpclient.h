#pragma once

#include "translate/httpclient.h"

// Stands in for the network where only the proxy handed to the client matters.
class TFakeHttpClient final : public IHttpClient
{
public:
    void PrepareRequestHeaders() override {}
    QByteArray Get(const QByteArray&) override { return {}; }
    QByteArray Post(const QByteArray&, const QByteArray&) override { return {}; }
    void SetProxy(const TProxySettings& proxy) override { FProxy = proxy; }
    TProxySettings Proxy() const override { return FProxy; }
    void Abort() override {}

    TProxySettings FProxy;
};
