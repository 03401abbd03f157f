#pragma once

#include <Quorvel/App/IHttpRequestUpdater.h>
#include <Quorvel/Networking/IHttpClient.h>
#include <Quorvel/NotNull.h>
#include <Quorvel/ServicesExport.h>

#include <memory>

namespace Quorvel::Networking {

/// The product's HTTP/1.1 client, one connection per request over Qt's sockets.
///
/// Every request it sends first gets the product's identifying headers from the request
/// updater, and goes out as http or https as the process-wide SSL preference says once it has
/// been chosen (Util::SetDefaultSslUsage). Redirects are followed, never from https to http,
/// and at most MaxRedirects in a row. A request that has not finished within the timeout is
/// aborted. The callback of each request runs exactly once, on the thread that created the
/// client, with either the answer (error empty: a 2xx status that ended as the protocol says)
/// or an error that names the method, the address and the reason, both quoted as a log record
/// may show them; the body of a failed answer is passed on when there is one. An answer cut
/// short (closed or reset before its announced length or its last chunk, a chunk size that
/// does not fit) and answers larger than MaxBodySize are failures. The client logs nothing:
/// what a failure means is the caller's to say.
///
/// Qt's own HTTP stack is not used: it takes a chunked answer cut short, or one with a chunk
/// size it cannot read, for a whole one.
///
/// Requests may be made from any thread; they are sent from the client's. Destroying the
/// client ends every pending request with an error, inside the destructor.
class QUORVEL_SERVICES_EXPORT HttpClient : public IHttpClient {
public:
    /// Long enough for a slow server on a slow line, short enough that a dead one does not
    /// keep a request alive for the session.
    static constexpr int DefaultTimeoutMs = 30000;
    /// Redirect loops end here instead of at Qt's default of 50.
    static constexpr int MaxRedirects = 10;
    /// Our web services answer with a few kilobytes; anything far larger is not theirs.
    static constexpr qint64 MaxBodySize = 4 * 1024 * 1024;

    /// Adds the headers of `headers` to every request; throws std::logic_error when it is empty.
    explicit HttpClient(Quorvel::NotNull<std::shared_ptr<App::IHttpRequestUpdater>> headers,
                        int timeoutMs = DefaultTimeoutMs);
    ~HttpClient() override;
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    void Get(const QNetworkRequest& request, Callback onFinished) override;
    void Post(const QNetworkRequest& request, const QByteArray& body, Callback onFinished) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::Networking
