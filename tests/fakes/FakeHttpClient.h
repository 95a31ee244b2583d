// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/HttpClient.h"

#include <map>
#include <string>
#include <vector>

namespace tavrola::fakes {

// Holds requests until the test answers them, so a test decides when a reply arrives.
class FakeHttpClient : public HttpClient {
public:
    struct Pending {
        RequestId id;
        HttpRequest request;
        Done done;
        Progress progress;
    };

    RequestId get(const HttpRequest& request, Done done, Progress progress) override {
        const RequestId id = ++m_lastId;
        requests.push_back(request);
        m_pending[id] = Pending{id, request, std::move(done), std::move(progress)};
        return id;
    }
    void cancel(RequestId id) override {
        if (m_pending.erase(id))
            ++cancelled;
    }

    std::size_t pendingCount() const { return m_pending.size(); }

    // Answers the oldest pending request; false when none is pending.
    bool reply(int status, std::string body) {
        HttpResponse r;
        r.status = status;
        r.body = std::move(body);
        return finish(std::move(r));
    }
    bool fail(HttpResponse::Error error, std::string text) {
        HttpResponse r;
        r.error = error;
        r.errorText = std::move(text);
        return finish(std::move(r));
    }

    std::vector<HttpRequest> requests;
    int cancelled = 0;

private:
    bool finish(HttpResponse r) {
        if (m_pending.empty())
            return false;
        auto node = m_pending.extract(m_pending.begin());
        node.mapped().done(r);
        return true;
    }

    RequestId m_lastId = 0;
    std::map<RequestId, Pending> m_pending;
};

} // namespace tavrola::fakes
