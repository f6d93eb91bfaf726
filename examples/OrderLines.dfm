object OrderLinesModule: TDataModule
  object ShopDatabase: TDVDatabase
    DatabaseName = 'shop'
    LoginPrompt = False
    RemoteDatabase = 'shop.db'
    ServerType = stSQLite
    Left = 40
    Top = 24
  end
  object LinesQuery: TDVQuery
    DatabaseName = 'shop'
    UpdateObject = LinesUpdate
    SQL.Strings = (
      'SELECT l.order_id, l.line_no, l.product, l.quantity AS qty, l.pr' +
      'ice'
      'FROM order_lines l'
      'ORDER BY l.order_id, l.line_no')
    Left = 40
    Top = 104
  end
  object LinesUpdate: TDVUpdateSQL
    RefreshSQL.Strings = (
      'select order_id, line_no, product, quantity as qty, price'#13#10 +
      'from order_lines'
      'where'
      '  order_id = :OLD_order_id and'
      '  line_no = :OLD_line_no')
    ModifySQL.Strings = (
      'update order_lines'
      'set'
      '  order_id = :order_id,'
      '  line_no = :line_no,'
      '  product = :product,'
      '  quantity = :qty,'
      '  price = :price'
      'where'
      '  order_id = :OLD_order_id and'
      '  line_no = :OLD_line_no')
    InsertSQL.Strings = (
      'insert into order_lines'
      '  (order_id, line_no, product, quantity, price)'
      'values'
      '  (:order_id, :line_no, :product, :qty, :price)')
    DeleteSQL.Strings = (
      'delete from order_lines'
      'where'
      '  order_id = :OLD_order_id and'
      '  line_no = :OLD_line_no')
    Left = 152
    Top = 104
  end
  object StockQuery: TDVQuery
    DatabaseName = 'shop'
    UpdateObject = StockUpdate
    SQL.Strings = (
      'SELECT "Item Id", "Description", "OnHand" FROM "Stock Items"')
    Left = 40
    Top = 184
  end
  object StockUpdate: TDVUpdateSQL
    RefreshSQL.Strings = (
      'select "Item Id", "Description", "OnHand"'#13#10 +
      'from "Stock Items"'
      'where'
      '  "Item Id" = :"OLD_Item Id"')
    ModifySQL.Strings = (
      'update "Stock Items"'
      'set'
      '  "Item Id" = :"Item Id",'
      '  "Description" = :"Description",'
      '  "OnHand" = :"OnHand"'
      'where'
      '  "Item Id" = :"OLD_Item Id"')
    InsertSQL.Strings = (
      'insert into "Stock Items"'
      '  ("Item Id", "Description", "OnHand")'
      'values'
      '  (:"Item Id", :"Description", :"OnHand")')
    DeleteSQL.Strings = (
      'delete from "Stock Items"'
      'where'
      '  "Item Id" = :"OLD_Item Id"')
    Left = 152
    Top = 184
  end
end
