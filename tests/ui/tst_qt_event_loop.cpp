// The socket runs the same on the program's Qt event loop as on the poll loop.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include "publish/star_socket.h"
#include "publish/ui/qt_event_loop.h"

namespace quillon {

class TestQtEventLoop : public QObject {
  Q_OBJECT
 private slots:
  void socketConversationOnQt() {
    QtEventLoop loop;
    const int server = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    QCOMPARE(::bind(server, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ::listen(server, 1);
    socklen_t l = sizeof a;
    ::getsockname(server, reinterpret_cast<sockaddr*>(&a), &l);

    TStarSocket s(loop);
    bool connected = false, closed = false;
    std::string got;
    s.OnConnected = [&](TStarSocket& x) { connected = x.LastError == 0; };
    s.OnDataAvailable = [&](TStarSocket& x) {
      char buf[32];
      got.append(buf, x.ReceiveData(buf, sizeof buf));
    };
    s.OnDisconnected = [&](TStarSocket&) { closed = true; };
    s.OpenSocket();
    s.SetAddress("127.0.0.1");
    s.SetPort(ntohs(a.sin_port));
    s.Connect();
    QTRY_VERIFY(connected);
    const int peer = ::accept(server, nullptr, nullptr);
    ::send(peer, "220 ready\r\n", 11, 0);
    QTRY_COMPARE(got, std::string("220 ready\r\n"));
    ::close(peer);
    QTRY_VERIFY(closed);
    QCOMPARE(s.handle(), -1);

    bool posted = false;
    QThread* worker = QThread::create([&loop, &posted] { loop.post([&posted] { posted = true; }); });
    worker->start();
    QTRY_VERIFY(posted);
    worker->wait();
    delete worker;
    ::close(server);
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestQtEventLoop)
#include "tst_qt_event_loop.moc"
