// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace tavrola {

struct HttpRequest {
    std::string url;
    int connectTimeoutMs = 30000;
    int transferTimeoutMs = 30000;
    std::size_t maxBodyBytes = 1024 * 1024; // larger replies are refused, not held in memory
    bool bypassCache = false;
};

struct HttpResponse {
    enum class Error { None, Network, Timeout, TooLarge, Tls, Cancelled };
    Error error = Error::None; // None: a reply arrived (any status)
    int status = 0;            // HTTP status when a reply arrived
    std::string body;
    std::string errorText; // what went wrong, for the user, when error != None

    bool ok() const { return error == Error::None && status == 200; }
};

// Asynchronous HTTPS GET. The callback runs later on the caller's (user-interface) thread,
// exactly once per request unless the request is cancelled first.
class HttpClient {
public:
    using RequestId = std::uint64_t;
    using Done = std::function<void(const HttpResponse&)>;
    using Progress = std::function<void(std::int64_t received, std::int64_t total)>;

    virtual ~HttpClient() = default;
    virtual RequestId get(const HttpRequest& request, Done done, Progress progress = {}) = 0;
    // After cancel() the request's callback never runs.
    virtual void cancel(RequestId id) = 0;
};

} // namespace tavrola
