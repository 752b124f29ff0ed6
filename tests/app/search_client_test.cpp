// The four buttons and the list menu, against a fake forum server on 127.0.0.1.
#include "app/qt_event_pump.h"
#include "app/search_state.h"
#include "tests/app/test_forum_address.h"
#include "tests/app/window_test_support.h"
#include "tests/fake_forum/fake_forum_server.h"
#include "tests/fake_forum/result_page_builder.h"
#include "tests/support/gbk_literal.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <memory>

namespace tieba {
namespace {

using namespace std::chrono_literals;
using fakeforum::FakeForumServer;
using fakeforum::PageVariant;
using testing::click;
using testing::control;
using testing::qs;
using testing::type;

QString fromGbkBytes(const std::string& gbk) {
    return QString::fromStdString(testing::utf8FromGbk(gbk));
}

// The rows of the list as (title, address) pairs.
std::vector<std::pair<QString, QString>> rows(const MainWindow& window) {
    std::vector<std::pair<QString, QString>> all;
    const ResultList* list = window.resultList();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        all.emplace_back(list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(1));
    }
    return all;
}

// The rows the fake forum's page `pageNumber` lists, `count` of them.
std::vector<std::pair<QString, QString>> expectedRows(int pageNumber, int count,
                                                      const std::string& bar = "test",
                                                      const std::string& target = "A1") {
    fakeforum::ResultPageShape shape;
    shape.pageNumber = pageNumber;
    shape.barName = bar;
    shape.target = target;
    std::vector<std::pair<QString, QString>> all;
    for (int i = 1; i <= count; ++i) {
        all.emplace_back(fromGbkBytes(fakeforum::resultTitle(shape, i)),
                         fromGbkBytes(fakeforum::resultLink(shape, i)));
    }
    return all;
}

std::string lastPn(const FakeForumServer& server) {
    const auto requests = server.requests();
    return requests.empty() ? std::string("<none>")
                            : fakeforum::queryValue(requests.back().target, "pn");
}

// A port on 127.0.0.1 that nothing listens on.
quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

class SearchClientTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        server_ = std::make_unique<FakeForumServer>();
        testing::forumAddressForTests() = server_->baseAddress();
        window_ = testing::openSearchWindow();
        QVERIFY(window_ != nullptr);
    }

    void cleanup() {
        window_.reset();
        server_.reset();
    }

    void sendsTheSearchAddressAndBody() {
        type(*window_, u"编辑框1", qs(u"中"));
        type(*window_, u"编辑框3", QStringLiteral("A1"));
        type(*window_, u"编辑框2", QStringLiteral("2"));
        click(*window_, u"按钮1");
        const auto requests = server_->requests();
        QCOMPARE(requests.size(), std::size_t{1});
        QCOMPARE(requests[0].method, std::string("POST"));
        QCOMPARE(
            requests[0].target,
            std::string("/f/search/res?isnew=1&kw=%D6%D0&qw=%41%31&rn=10&un=&sm=1&sd=&ed=&pn=2"));
        QCOMPARE(requests[0].body, std::string("ie=utf-8&word=%E4%B8%AD"));
        QCOMPARE(searchState().searchAddress, server_->baseAddress() + requests[0].target);
        QCOMPARE(searchState().postBody, requests[0].body);
    }

    void sendsEmptyBoxesAndPageTextsUnchanged() {
        type(*window_, u"编辑框1", QString());
        type(*window_, u"编辑框3", QString());
        type(*window_, u"编辑框2", QStringLiteral(" 3"));
        click(*window_, u"按钮4");
        const auto requests = server_->requests();
        QCOMPARE(requests.size(), std::size_t{1});
        QCOMPARE(requests.back().target,
                 std::string("/f/search/res?isnew=1&kw=&qw=&rn=10&un=&sm=1&sd=&ed=&pn= 3"));
        QCOMPARE(requests.back().body, std::string("ie=utf-8&word="));
    }

    void stepsPagesFromPageNumber() {
        click(*window_, u"按钮2"); // "上一页" at start
        QCOMPARE(lastPn(*server_), std::string("-1"));
        QCOMPARE(searchState().pageNumber, -1);

        type(*window_, u"编辑框2", QStringLiteral("5"));
        click(*window_, u"按钮1");
        QCOMPARE(lastPn(*server_), std::string("5"));
        QCOMPARE(searchState().pageNumber, 1);
        QCOMPARE(rows(*window_), expectedRows(5, 9));

        click(*window_, u"按钮3");
        QCOMPARE(lastPn(*server_), std::string("2"));
        QCOMPARE(searchState().pageNumber, 2);
    }

    void listsAtMostNineRows_data() {
        QTest::addColumn<int>("results");
        QTest::addColumn<int>("rowsListed");
        QTest::newRow("ten results") << 10 << 9;
        QTest::newRow("three results") << 3 << 3;
        QTest::newRow("no results") << 0 << 0;
    }

    void listsAtMostNineRows() {
        QFETCH(int, results);
        QFETCH(int, rowsListed);
        server_->setResultCount(results);
        click(*window_, u"按钮1");
        QCOMPARE(rows(*window_), expectedRows(1, rowsListed));
        QCOMPARE(searchState().links.size(), static_cast<std::size_t>(results));
        QCOMPARE(searchState().titles.size(), static_cast<std::size_t>(results));
    }

    void appendsRowsWhenNotClearing() {
        control<QCheckBox>(*window_, u"选择框1")->setChecked(false);
        server_->setResultCount(2);
        click(*window_, u"按钮1");
        click(*window_, u"按钮1");
        const auto once = expectedRows(1, 2);
        auto twice = once;
        twice.insert(twice.end(), once.begin(), once.end());
        QCOMPARE(rows(*window_), twice);
    }

    void clearsBeforeListingWhenTicked() {
        click(*window_, u"按钮1");
        server_->setResultCount(0);
        click(*window_, u"按钮3");
        QCOMPARE(window_->resultList()->topLevelItemCount(), 0);
    }

    void listsPagesAsTheyWriteThem_data() {
        QTest::addColumn<int>("variant");
        QTest::addColumn<int>("rowsListed");
        QTest::newRow("CR LF lines") << static_cast<int>(PageVariant::CrLfLines) << 0;
        QTest::newRow("markup in titles") << static_cast<int>(PageVariant::MarkupInTitles) << 9;
    }

    void listsPagesAsTheyWriteThem() {
        QFETCH(int, variant);
        QFETCH(int, rowsListed);
        server_->setVariant(static_cast<PageVariant>(variant));
        click(*window_, u"按钮1");
        QCOMPARE(window_->resultList()->topLevelItemCount(), rowsListed);
        if (rowsListed > 0) {
            QVERIFY(window_->resultList()->topLevelItem(0)->text(0).contains(
                QStringLiteral("<em>A1</em>")));
        }
    }

    void readsSearchInformation() {
        control<QCheckBox>(*window_, u"选择框1")->setChecked(false);
        click(*window_, u"按钮1");
        click(*window_, u"按钮3"); // pageNumber 2
        const auto rowsBefore = rows(*window_);
        const auto linksBefore = searchState().links;

        server_->setLastPage(41);
        type(*window_, u"编辑框2", QStringLiteral("1"));
        click(*window_, u"按钮4");

        fakeforum::ResultPageShape shape;
        shape.lastPage = 41;
        QCOMPARE(window_->statusStrip()->partText(0),
                 fromGbkBytes(fakeforum::navigationText(shape)));
        QCOMPARE(control<QLabel>(*window_, u"透明标签1")->text(), QStringLiteral("41"));
        QCOMPARE(lastPn(*server_), std::string("1"));
        QCOMPARE(searchState().pageNumber, 2);
        QCOMPARE(rows(*window_), rowsBefore);
        QCOMPARE(searchState().links, linksBefore);
        QCOMPARE(window_->statusStrip()->partText(1), qs(u"伟大是一种职业——Q"));
    }

    void findsCapitalNavigationMarker() {
        server_->setVariant(PageVariant::CapitalNavigation);
        click(*window_, u"按钮4");
        QVERIFY(!window_->statusStrip()->partText(0).isEmpty());
    }

    void emptiesControlsWhenMarkersAreMissing() {
        click(*window_, u"按钮4");
        QVERIFY(!control<QLabel>(*window_, u"透明标签1")->text().isEmpty());
        server_->setVariant(PageVariant::NoLastPageLink);
        click(*window_, u"按钮4");
        QVERIFY(control<QLabel>(*window_, u"透明标签1")->text().isEmpty());
        QVERIFY(!window_->statusStrip()->partText(0).isEmpty());
    }

    void copiesTheHighestSelectedAddress() {
        server_->setResultCount(3);
        click(*window_, u"按钮1");
        ResultList* list = window_->resultList();
        const std::string base = server_->baseAddress();
        QClipboard* clipboard = QGuiApplication::clipboard();

        window_->listMenu()->actions().first()->trigger();
        QCOMPARE(clipboard->text(), QString::fromStdString(base));

        list->topLevelItem(2)->setSelected(true);
        list->topLevelItem(1)->setSelected(true);
        window_->listMenu()->actions().first()->trigger();
        QCOMPARE(clipboard->text(), QString::fromStdString(base) + expectedRows(1, 2)[1].second);

        list->clearSelection();
        list->topLevelItem(0)->setText(1, QString());
        list->topLevelItem(0)->setSelected(true);
        window_->listMenu()->actions().first()->trigger();
        QCOMPARE(clipboard->text(), QString::fromStdString(base));
    }

    void rightPressBelowRowsPopsUpTheMenu() {
        server_->setResultCount(1);
        click(*window_, u"按钮1");
        QMenu* menu = window_->listMenu();
        bool shown = false;
        QTimer::singleShot(50ms, menu, [&] {
            shown = QApplication::activePopupWidget() == menu;
            menu->close();
        });
        QWidget* viewport = window_->resultList()->viewport();
        QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(40, viewport->height() - 10));
        QVERIFY(shown);
    }

    void runsASecondClickNestedInTheFirst() {
        server_->setResultCount(2);
        server_->delayNextAnswers({600ms, 0ms});
        bool nestedRan = false;
        QTimer::singleShot(150ms, window_.get(), [&] {
            click(*window_, u"按钮3"); // "下一页" while "载入" waits
            nestedRan = true;
        });
        click(*window_, u"按钮1");
        QVERIFY(nestedRan);
        // The nested handler cleared, listed page 2 and returned; the first then listed page 1
        // below it.
        auto expected = expectedRows(2, 2);
        const auto first = expectedRows(1, 2);
        expected.insert(expected.end(), first.begin(), first.end());
        QCOMPARE(rows(*window_), expected);
        QCOMPARE(searchState().pageNumber, 2);
        QCOMPARE(server_->requests().size(), std::size_t{2});
    }

    void showsAFailedRequestInTheStatusBar() {
        server_.reset();
        testing::forumAddressForTests() = "http://127.0.0.1:" + std::to_string(closedPort());
        click(*window_, u"按钮1");
        QCOMPARE(window_->statusStrip()->partText(0),
                 qs(u"搜索请求失败：没有收到网页，请检查网络后再试。"));
        QCOMPARE(window_->resultList()->topLevelItemCount(), 0);
        QCOMPARE(searchState().pageNumber, 1);

        click(*window_, u"按钮4");
        QCOMPARE(window_->statusStrip()->partText(0),
                 qs(u"搜索请求失败：没有收到网页，请检查网络后再试。"));
        QVERIFY(control<QLabel>(*window_, u"透明标签1")->text().isEmpty());
    }

    void clearsTheFailureOnceASearchWorks() {
        const std::string working = testing::forumAddressForTests();
        testing::forumAddressForTests() = "http://127.0.0.1:" + std::to_string(closedPort());
        click(*window_, u"按钮1");
        QVERIFY(!window_->statusStrip()->partText(0).isEmpty());
        testing::forumAddressForTests() = working;
        click(*window_, u"按钮1");
        QVERIFY(window_->statusStrip()->partText(0).isEmpty());
        QCOMPARE(window_->resultList()->topLevelItemCount(), 9);
    }

private:
    std::unique_ptr<FakeForumServer> server_;
    std::unique_ptr<MainWindow> window_;
};

} // namespace
} // namespace tieba

QObject* makeSearchClientTest() {
    return new tieba::SearchClientTest;
}

#include "search_client_test.moc"
