.pragma library

// Shared constants of the QML pages: sizes in pixels, colours as #RRGGBB strings.

// Texts and minimum font size
var NOT_READY_STRING = "--";
var MinFontSize = 8;

// Layout objects
var PageConst = { PageMargin: 12 };
var HomeConst = {
    GridMargin: 16,
    HeaderWidth: 480,
    HeaderHeight: 60,
    BackGroundImage: "homeBackground",
    FavTrayImage: "tray",
    FavTrayHeight: 96,
    GridCellHeight: 120
};
var TableConst = { GridWidth: 1, HeaderHeight: 40, CellHeight: 44 };

// Bars
var ToolBarHeight = 70;
var TitleBarHeight = 48;
var IconBorderRadius = 6;
var StatusBarHeight = 30;

// Font families; the Farsi ones are used when the interface language is Farsi
var FONT_FAMILY = "DejaVu Sans";
var FONT_FAMILY_LIGHT = "DejaVu Sans ExtraLight";
var FONT_FAMILY_FARSI = "DejaVu";
var FONT_FAMILY_LIGHT_FARSI = "DejaVu Sans ExtraLight";

// Font sizes
var FONT_DEFAULT_SIZE = 14;
var FONT_XLARGE = 22;
var FONT_LARGE = 18;
var FONT_DEFAULT = 14;
var FONT_MEDIAN = 12;
var FONT_SMALL = 10;
var FONT_XSMALL = 8;
var FONT_XXSMALL = 6;

// Colours
var COLOR_FOREGROUND = "#ffffff";
var COLOR_SECONDARY_FOREGROUND = "#b4b4b4";
var COLOR_BACKGROUND = "#1e1e1e";
var COLOR_SELECT = "#2f7fd8";
var COLOR_INVERTED_FOREGROUND = "#1e1e1e";
var COLOR_INVERTED_SECONDARY_FOREGROUND = "#5a5a5a";
var COLOR_INVERTED_BACKGROUND = "#f2f2f2";
var COLOR_INVERTED_SELECT = "#1f63b0";
var COLOR_DISABLED_FOREGROUND = "#6e6e6e";
var COLOR_BUTTON_INVERTED_FOREGROUND = "#1e1e1e";
var COLOR_BUTTON_FOREGROUND = "#ffffff";
var COLOR_BUTTON_SECONDARY_FOREGROUND = "#c8c8c8";
var COLOR_BUTTON_DISABLED_FOREGROUND = "#7a7a7a";
var COLOR_BUTTON_BACKGROUND = "#3c3c3c";

// Sizes, margins and opacities
var SIZE_ICON_DEFAULT = 32;
var SIZE_ICON_LARGE = 48;
var CORNER_MARGINS = 22;
var MARGIN_DEFAULT = 8;
var MARGIN_XLARGE = 16;
var RELEASE_MISS_DELTA = 30; // a release this far outside a control still triggers it
var OPACITY_ENABLED = 1.0;
var OPACITY_DISABLED = 0.5;
var SIZE_BUTTON = 44;

// Paddings
var PADDING_XSMALL = 2;
var PADDING_SMALL = 4;
var PADDING_MEDIUM = 6;
var PADDING_LARGE = 8;
var PADDING_DOUBLE = 12;
var PADDING_XLARGE = 16;
var PADDING_XXLARGE = 24;

// Scroll decorator and touch
var SCROLLDECORATOR_SHORT_MARGIN = 4;
var SCROLLDECORATOR_LONG_MARGIN = 8;
var TOUCH_EXPANSION_MARGIN = -12; // touch areas reach 12 pixels beyond a control

// Buttons and fields
var BUTTON_WIDTH = 120;
var BUTTON_HEIGHT = 44;
var BUTTON_LABEL_MARGIN = 10;
var FIELD_DEFAULT_HEIGHT = 40;
var DEFAULT_MARGIN = 8;
var BUTTON_SPACING = 6;

// Headers
var HEADER_DEFAULT_HEIGHT_PORTRAIT = 72;
var HEADER_DEFAULT_HEIGHT_LANDSCAPE = 56;
var HEADER_DEFAULT_TOP_SPACING_PORTRAIT = 20;
var HEADER_DEFAULT_BOTTOM_SPACING_PORTRAIT = 20;
var HEADER_DEFAULT_TOP_SPACING_LANDSCAPE = 14;
var HEADER_DEFAULT_BOTTOM_SPACING_LANDSCAPE = 14;

// List delegates
var LIST_ITEM_HEIGHT_SMALL = 48;
var LIST_ITEM_HEIGHT_DEFAULT = 64;
var LIST_ITEM_MARGIN = 12;
var LIST_ITEM_SPACING = 8;
var LIST_ITEM_HEIGHT = 64;
var LIST_ICON_SIZE = 32;
var LIST_TILE_SIZE = 16;
var LIST_TITLE_COLOR = "#ffffff";
var LIST_TITLE_COLOR_PRESSED = "#8fc1ff";
var LIST_TITLE_COLOR_INVERTED = "#1e1e1e";
var LIST_TITLE_COLOR_PRESSED_INVERTED = "#1f63b0";
var LIST_SUBTILE_SIZE = 12;
var LIST_SUBTITLE_COLOR = "#b4b4b4";
var LIST_SUBTITLE_COLOR_PRESSED = "#8fc1ff";
var LIST_SUBTITLE_COLOR_INVERTED = "#5a5a5a";
var LIST_SUBTITLE_COLOR_PRESSED_INVERTED = "#1f63b0";
