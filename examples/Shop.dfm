object ShopModule: TDataModule
  object ShopDatabase: TDVDatabase
    DatabaseName = 'shop'
    LoginPrompt = False
    RemoteDatabase = 'shop.db'
    ServerType = stSQLite
    Left = 40
    Top = 24
  end
  object OrdersQuery: TDVQuery
    DatabaseName = 'shop'
    UpdateObject = OrdersUpdate
    SQL.Strings = (
      'SELECT o.order_id, o.customer_id, o.order_date AS ordered_on,'
      '  o.status, o.total'
      'FROM orders o'
      'ORDER BY o.order_id')
    Left = 40
    Top = 104
  end
  object OrdersUpdate: TDVUpdateSQL
    Left = 152
    Top = 104
  end
  object CustomersTable: TDVTable
    DatabaseName = 'shop'
    TableName = 'customers'
    Left = 152
    Top = 24
  end
  object RecalcTotalsProc: TDVStoredProc
    DatabaseName = 'shop'
    StoredProcName = 'recalc_order_totals'
    Left = 264
    Top = 24
  end
end
