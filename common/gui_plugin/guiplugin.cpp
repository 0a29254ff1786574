#include "guiplugin.h"

#include "abstractstyle.h"
#include "caction.h"
#include "cstack.h"
#include "emenuitemtype.h"
#include "exclusivegroup.h"
#include "menuitem.h"
#include "menulist.h"
#include "menuseparator.h"
#include "padding.h"
#include "popupwindow.h"
#include "scrolldecoratorsizer.h"
#include "setupconverter.h"
#include "treemodel.h"

#include "dataitem.h"
#include "dataitemfiltermodel.h"
#include "dataitemlist.h"
#include "dataitemlistmodel.h"
#include "listsortfilterproxymodel.h"
#include "tableheader.h"
#include "tablemodel.h"
#include "tablemodelcolumn.h"
#include "tablemodelrow.h"
#include "tablespacer.h"

#include "hmath.h"
#include "meterautoscaler.h"
#include "meterscale.h"
#include "metricprefixconversion.h"
#include "rangemodel.h"
#include "unitprefixes.h"

#include "dialogstatus.h"
#include "hthemeplugin.h"
#include "pagesorientation.h"
#include "quickscreen.h"
#include "sizemanager.h"
#include "texttranslator.h"
#include "themeplugin.h"
#include "toolbarvisibility.h"
#include "windowstate.h"

#include "fileio.h"
#include "helapsedtimer.h"
#include "process.h"

#include "baseformatter.h"
#include "uidatacontainer.h"
#include "zebdata.h"

#include <QApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtDebug>
#include <qqml.h>

// Q_INIT_RESOURCE must be used from the global namespace.
static void initScriptResources()
{
    Q_INIT_RESOURCE(js);
}

static void cleanupScriptResources()
{
    Q_CLEANUP_RESOURCE(js);
}

namespace {

// Built when the library is loaded, before the engine asks for the plugin; undone on unload.
struct LoadTimeSetup
{
    LoadTimeSetup() { initScriptResources(); }
    ~LoadTimeSetup() { cleanupScriptResources(); }
};
const LoadTimeSetup loadTimeSetup;

// The entry's own file name, without the build machine's folders.
const char *const sourceFileName = [] {
    const char *name = __FILE__;
    for (const char *p = name; *p; ++p) {
        if (*p == '/')
            name = p + 1;
    }
    return name;
}();

QObject *dataContainerProvider(QQmlEngine *, QJSEngine *)
{
    if (!UiDataContainer::s_dcInstance)
        UiDataContainer::s_dcInstance = new UiDataContainer(nullptr);
    // Every engine shares the container; the first engine to go must not take it along.
    QQmlEngine::setObjectOwnership(UiDataContainer::s_dcInstance, QQmlEngine::CppOwnership);
    return UiDataContainer::s_dcInstance;
}

} // namespace

Plugin::Plugin(QObject *parent)
    : QQmlExtensionPlugin(parent)
{
}

Plugin::~Plugin() = default;

void Plugin::registerTypes(const char *uri)
{
    // Data objects of the instrument are property values of the module's types.
    qmlRegisterAnonymousType<ZebData>(uri, 1);
    qmlRegisterAnonymousType<BaseFormatter>(uri, 1);
    // The argument type of the menu's insertItem, removeItem and indexOfMenuItem.
    qRegisterMetaType<MenuItemBase *>();

    // The module's types, in their registration order.
    qmlRegisterType<DataItemList>(uri, 1, 0, "DataItemList");
    qmlRegisterType<DataItemListModel>(uri, 1, 0, "DataItemListModel");
    qmlRegisterType<DataItem>(uri, 1, 0, "DataItem");
    qmlRegisterType<TableHeader>(uri, 1, 0, "TableHeader");
    qmlRegisterType<TableSpacer>(uri, 1, 0, "TableSpacer");
    qmlRegisterType<TableModelRow>(uri, 1, 0, "TableModelRow");
    qmlRegisterType<TableModelColumn>(uri, 1, 0, "TableModelColumn");
    qmlRegisterType<TableModel>(uri, 1, 0, "TableModel");
    qmlRegisterType<ListSortFilterProxyModel>(uri, 1, 0, "ListSortFilterProxyModel");
    qmlRegisterType<DataItemFilterModel>(uri, 1, 0, "DataItemFilterModel");
    qmlRegisterUncreatableType<DialogStatus>(uri, 1, 0, "DialogStatus", QString());
    qmlRegisterUncreatableType<WindowState>(uri, 1, 0, "WindowState", QString());
    qmlRegisterUncreatableType<EMenuItemType>(
        uri, 1, 0, "MenuItemType", QStringLiteral("Do not create objects of type MenuItemType"));
    qmlRegisterType<CAction>(uri, 1, 0, "ActionBase");
    qmlRegisterType<MenuSeparator>(uri, 1, 0, "MenuSeparator");
    qmlRegisterType<MenuList>(uri, 1, 0, "MenuListBase");
    qmlRegisterType<MenuItem>(uri, 1, 0, "MenuItemBase");
    qmlRegisterType<ExclusiveGroup>(uri, 1, 0, "ExclusiveGroup");
    qmlRegisterType<PopupWindow>(uri, 1, 0, "PopupWindowBase");
    qmlRegisterType<AbstractStyle>(uri, 1, 0, "AbstractStyle");
    qmlRegisterAnonymousType<Padding>("", 1);
    qmlRegisterType<TreeModel>(uri, 1, 0, "TreeModel");
    qmlRegisterUncreatableType<CStack>(uri, 1, 0, "Stack",
                                       QStringLiteral("Do not create objects of type Stack"));
    qmlRegisterUncreatableType<ThemePlugin>(uri, 1, 0, "Theme", QString());
    qmlRegisterSingletonType<UiDataContainer>(uri, 1, 0, "UiDataContainer", dataContainerProvider);
    qmlRegisterUncreatableType<PagesOrientation>(uri, 1, 0, "PageOrientation", QString());
    qmlRegisterUncreatableType<ToolBarVisibility>(uri, 1, 0, "ToolBarVisibility", QString());
    qmlRegisterUncreatableType<TextTranslator>(uri, 1, 0, "TextTranslator", QString());
    qmlRegisterUncreatableType<QuickScreen>(uri, 1, 0, "Screen", QString());
    qmlRegisterUncreatableType<MeterScale>(uri, 1, 0, "MeterScale", QString());
    qmlRegisterUncreatableType<UnitPrefixes>(uri, 1, 0, "UnitPrefixes", QString());
    qmlRegisterType<MeterAutoScaler>(uri, 1, 0, "MeterAutoScaler");
    qmlRegisterUncreatableType<HMath>(uri, 1, 0, "HMath", QString());
    qmlRegisterUncreatableType<HThemePlugin>(uri, 1, 0, "HTheme", QString());
    qmlRegisterUncreatableType<HElapsedTimer>(uri, 1, 0, "HElapsedTimer", QString());
    qmlRegisterType<FileIO>(uri, 1, 0, "FileIO");
    qmlRegisterType<ScrollDecoratorSizer>(uri, 1, 0, "ScrollDecoratorSizerCPP");
    qmlRegisterType<RangeModel>(uri, 1, 0, "RangeModel");
}

void Plugin::initializeEngine(QQmlEngine *engine, const char *uri)
{
    QQmlExtensionPlugin::initializeEngine(engine, uri);
    qDebug().noquote() << QStringLiteral("GuiPlugin begin initialize engine: %1:%2")
                              .arg(QLatin1String(sourceFileName))
                              .arg(__LINE__);

    // The theme's image provider marks an engine whose context is already filled.
    if (!engine->imageProvider(QStringLiteral("theme"))) {
        QQmlContext *context = engine->rootContext();

        context->setContextProperty(QStringLiteral("screen"), QuickScreen::instance());
        context->setContextProperty(QStringLiteral("platformWindow"), WindowState::instance());

        // Every service object is a child of its engine and dies with it: a page never sees a
        // deleted context object, and a process that creates many engines does not leak.
        m_theme = new ThemePlugin(engine, engine);
        m_hMath = new HMath(engine);
        m_hTheme = new HThemePlugin(engine, engine);
        m_elapsedTimer = new HElapsedTimer(engine);
        m_sizeManager = new SizeManager(engine, 1.0);
        m_process = new Process(engine);
        m_textTranslator = new TextTranslator(engine);

        context->setContextProperty(QStringLiteral("theme"), m_theme);
        m_theme->getFontMgr()->publish(context, QStringLiteral("systemFont"));
        m_theme->getColorMgr()->publish(context, QStringLiteral("systemColor"));
        context->setContextProperty(QStringLiteral("hMath"), m_hMath);
        context->setContextProperty(QStringLiteral("hTheme"), m_hTheme);
        m_hTheme->getImageMgr()->publish(context, QStringLiteral("hThemeImage"));
        m_hTheme->getFontMgr()->publish(context, QStringLiteral("hFont"));
        m_hTheme->getColorMgr()->publish(context, QStringLiteral("hColor"));
        context->setContextProperty(QStringLiteral("hElapsedTimer"), m_elapsedTimer);
        context->setContextProperty(QStringLiteral("SizeGlobal"), m_sizeManager);
        context->setContextProperty(QStringLiteral("Process"), m_process);
        context->setContextProperty(QStringLiteral("textTranslator"), m_textTranslator);
        context->setContextProperty(QStringLiteral("meterScale"), new MeterScale(engine));
        context->setContextProperty(QStringLiteral("setupConverter"), new SetupConverter(engine));
        context->setContextProperty(QStringLiteral("metricPrefixConversion"),
                                    new MetricPrefixConversion(engine));
        context->setContextProperty(QStringLiteral("unitPrefixes"), new UnitPrefixes(engine));

        const QByteArray autogen = qgetenv("AUTOGEN_REPORTS");
        if (qEnvironmentVariableIsSet("AUTOGEN_REPORTS"))
            context->setContextProperty(QStringLiteral("autogenReports"),
                                        autogen == QByteArrayLiteral("TRUE"));

        if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
            QApplication::setCursorFlashTime(0);
            QApplication::setDoubleClickInterval(325);
        }

        // Every translated binding of the engine follows the interface language.
        QObject::connect(m_textTranslator, &TextTranslator::languageChanged, engine,
                         &QQmlEngine::retranslate);
    }

    qDebug().noquote() << QStringLiteral("GuiPlugin end initialize engine: %1:%2")
                              .arg(QLatin1String(sourceFileName))
                              .arg(__LINE__);
}
