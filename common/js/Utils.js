.pragma library

// Helpers for QML pages: item lookup, mnemonic texts and geometry.

function findFlickable(item) {
    var next = item;
    while (next) {
        if (next.flicking !== undefined && next.flickableDirection !== undefined)
            return next;
        next = next.parent;
    }
    return null;
}

function findRootItem(item, objectName) {
    var rootName = objectName ? objectName : "windowContent";
    var next = item;
    if (next) {
        while (next.parent) {
            next = next.parent;
            if (next.objectName === rootName)
                break;
        }
    }
    return next;
}

function replaceAmpersands(text, replaceFunction) {
    return text.replace(/([^&]*)&(.)([^&]*)/g, replaceFunction);
}

// A doubled ampersand stands for a literal one.
function underlineAmpersands(match, p1, p2, p3) {
    if (p2 === "&")
        return p1.concat(p2, p3);
    return p1.concat("<u>", p2, "</u>", p3);
}

function removeAmpersands(match, p1, p2, p3) {
    return p1.concat(p2, p3);
}

function stylizeMnemonics(text) {
    return replaceAmpersands(text, underlineAmpersands);
}

function removeMnemonics(text) {
    return replaceAmpersands(text, removeAmpersands);
}

// Edges that touch count as intersecting.
function intersects(rect1, rect2) {
    return rect1.left <= rect2.right && rect2.left <= rect1.right
            && rect1.top <= rect2.bottom && rect2.top <= rect1.bottom;
}

function toolBarVisible(visible, item) {
    var root = findRootItem(item, "pageStackWindow");
    if (root && root.objectName === "pageStackWindow")
        root.showToolBar = visible;
}

function titleBarVisible(visible, item) {
    var root = findRootItem(item, "pageStackWindow");
    if (root && root.objectName === "pageStackWindow")
        root.showTitleBar = visible;
}
