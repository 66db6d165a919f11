#include "publish/ftp_client.h"

namespace bv::publish {

FtpClient::FtpClient(platform::EventLoop& loop, FtpLogin login)
    : worker_(loop), session_(std::make_unique<FtpSession>(worker_, std::move(login))),
      usable_(worker_.valid() && session_->usable()),
      passive_(session_->passive()) // no job runs yet: the session is still free to read
{
}

FtpClient::~FtpClient()
{
    worker_.stop(); // before the session it works on goes
}

template <typename Op, typename Then> void FtpClient::submit(Op op, Then then)
{
    // Written on the worker before its done is signalled, read on the loop after.
    using Outcome = decltype(op(*session_));
    struct Result {
        Outcome outcome{};
        bool passive = false;
    };
    auto result = std::make_shared<Result>();
    FtpSession* session = session_.get();
    worker_.run(
        [session, result, op = std::move(op)] {
            result->outcome = op(*session);
            result->passive = session->passive();
        },
        [this, result, then = std::move(then)] {
            notePassive(result->passive);
            then(result->outcome);
        });
}

void FtpClient::notePassive(bool passive)
{
    if (passive == passive_)
        return;
    passive_ = passive;
    if (passiveNotice_)
        passiveNotice_();
}

void FtpClient::connect(ConnectDone done)
{
    submit([](FtpSession& session) { return session.connect(); },
           [done = std::move(done)](const ServerExchange& exchange) {
               done(classifyConnectFailure(exchange), exchange.curlCode);
           });
}

void FtpClient::setDirectory(std::string path, Done done)
{
    submit([path = std::move(path)](FtpSession& session) { return session.setDirectory(path); },
           std::move(done));
}

void FtpClient::putFile(std::string remoteName, std::string localPath, Done done)
{
    submit([remoteName = std::move(remoteName), localPath = std::move(localPath)](
               FtpSession& session) { return session.putFile(remoteName, localPath); },
           std::move(done));
}

void FtpClient::getFile(std::string remoteName, std::string localPath, Done done)
{
    submit([remoteName = std::move(remoteName), localPath = std::move(localPath)](
               FtpSession& session) { return session.getFile(remoteName, localPath); },
           std::move(done));
}

} // namespace bv::publish
